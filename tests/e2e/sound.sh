#!/usr/bin/env bash
# The game's sound, captured through ALSA's file plugin while the game is played. The
# rotor and spray samples are replaced by pure tones (1000 and 4000 Hz as recorded),
# the wind and fire by silence, so that each is told apart in the mix by its pitch:
# the engine plays at its frequency (700 at rest, up to 900 more with tilt), the spray
# at 4000 Hz and loud only while it fires. Ends with Esc on the briefing: status 0.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run sound
probe="$BUILD_DIR/tests/sound_probe"
for tone in helicopter:1000 water:4000 wind:0 fire:0; do
    rm "$WORK/data/${tone%:*}.wav" && "$probe" tone "$WORK/data/${tone%:*}.wav" "${tone#*:}" ||
        fail "cannot write the test tone $tone"
done
start_game

# listen <name> <seconds> [command]: measures the sound of the next seconds, while the
# command plays in the background, into PITCH (median), TOP_PITCH, ENGINE and SPRAY.
listen() {
    local from to player=""
    from=$(stat -c %s "$WORK/sound.raw")
    [ $# -gt 2 ] && { "${@:3}" & player=$!; }
    sleep "$2"
    to=$(stat -c %s "$WORK/sound.raw")
    [ -z "$player" ] || wait "$player"
    read -r PITCH TOP_PITCH ENGINE SPRAY <<<"$("$probe" measure "$WORK/sound.raw" "$from" "$to")" ||
        fail "cannot measure the $1 sound"
    echo "$1: engine at $PITCH Hz (up to $TOP_PITCH), level $ENGINE; spray level $SPRAY"
}
dash() { for _ in 1 2 3; do aim 150 400 && sleep 0.3 && aim 1000 400 && sleep 0.3; done; }

move 600 300
wait_for 15 intro continue_face
listen intro 1
[ "$PITCH" -ge 680 ] && [ "$PITCH" -le 720 ] && [ "$ENGINE" -gt 2000 ] && [ "$SPRAY" -lt 100 ] ||
    fail "the engine does not play at 700 alone on the intro"
click_at "$AT_X" "$AT_Y"
wait_for 10 briefing exit_face
aim 652 409 # where the helicopter starts: it hovers, tilted by the wind only
press p
sleep 1
listen hovering 1
hover=$PITCH hover_spray=$SPRAY
[ "$PITCH" -ge 680 ] && [ "$PITCH" -le 1100 ] || fail "hovering engine at $PITCH Hz"
listen dashing 1.8 dash
[ "$PITCH" -gt $((hover + 150)) ] && [ "$TOP_PITCH" -ge 1520 ] && [ "$TOP_PITCH" -le 1680 ] ||
    fail "the engine's pitch does not follow a sideways dash"

aim 40 330 && sleep 0.5 && xdotool mousedown 1
listen spraying 1
xdotool mouseup 1
[ "$SPRAY" -gt 1000 ] && [ "$SPRAY" -gt $((10 * hover_spray)) ] || fail "the spray is not louder while it fires"

press Escape
wait_for 5 quit_question question_box
xdotool key y
wait_for 10 briefing_again exit_face
press Escape
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "Esc on the briefing ended with status $GAME_STATUS"
echo "ok: the engine, its pitch and the spray follow the game"
