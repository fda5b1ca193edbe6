#!/usr/bin/env bash
# One session of the real game, played with xdotool and checked by screenshots: intro,
# "Continue", briefing, "Play Now", the HUD, flying, spraying, an elevator call, the
# quit and save questions, "Resume", the stop icon and "Exit" with status 0.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run play_session
save="$SAVE_DIR/resumed-game.bin"
start_game
move 600 300 # keys go to the window under the pointer

hud_shown() { [ "$(hud_parts 40)" -eq 5 ] || fail "the HUD line is not whole"; }

# The intro's white panel over the backdrop, and a click (its release) on "Continue".
wait_for 15 intro eval "find_px 300 100 400 40 'r > 200 && g > 200 && b > 200' 10000 && continue_face"
click_at "$AT_X" "$AT_Y"
briefing briefing
[ "$(hud_parts 1)" -eq 0 ] || fail "HUD colours on the briefing screen"
click_at $PLAY
wait_for 10 playing find_px 15 750 200 18 'b > 195 && b - r > 50 && g > 140' 40
hud_shown

# The helicopter (red) hovers 140 pixels left of the crosshair, up to 150 right of that
# in the wind.
heli_at() { find_px $(($1 - 220)) 135 310 80 'r > 130 && g < 45 && b < 45' "${2:-300}"; }
aim 400 200
wait_for 20 flying_left eval 'heli_at 400 && ! heli_at 900 50'
aim 900 200
wait_for 20 flying_right eval 'heli_at 900 && ! heli_at 400 50'

# Spraying into the night sky left of the building: pale blue streaks round the
# crosshair while the button is held, none once it is let go; and the sound plays.
water() { find_px 0 300 70 120 'b > 200 && g > 170 && b - r > 30' "$@"; }
aim 40 330
wait_for 20 before_spraying eval '! water 10'
sound_from=$(stat -c %s "$WORK/sound.raw")
xdotool mousedown 1
wait_for 10 spraying water 150
xdotool mouseup 1
read -r _ _ engine _ <<<"$("$BUILD_DIR/tests/sound_probe" measure "$WORK/sound.raw" "$sound_from" \
    "$(stat -c %s "$WORK/sound.raw")")"
[ "${engine:-0}" -gt 200 ] || fail "the game's sounds are silent (engine band level ${engine:-none})"
wait_for 10 after_spraying eval '! water 10'

# Escape, then "n": the game goes on.
press Escape
wait_for 5 quit_question question_box
xdotool key n
wait_for 5 after_no eval '! question_box'
[ "$(hud_parts 40)" -eq 5 ] && [ ! -e "$save" ] || fail "No to the quit question left the game"

# Mission 1 starts at map y 5000: row 87 (screen y 568) has the door of column 7
# (x 512), two people in column 9 (x 640) and a fire left of the door. A click on the
# door calls those two, who walk to it and ride up to the door of row 83.
PEOPLE87=64x64+640+568 DOOR83=64x64+512+312
aim 544 600 && sleep 0.5 && shot before_call
click 0.3
wait_for 20 walking eval '[ "$(differ before_call walking $PEOPLE87)" -gt 300 ]'

# S, then "y" on their way: saved with the two in transit, back to the briefing.
press s
wait_for 5 save_question question_box
xdotool key y
briefing after_save
size=$(stat -c %s "$save") || fail "S then y wrote no saved game"
[ "$size" -eq $((13460 + 2 * 40)) ] || fail "saved game of $size bytes, not two people in transit"
cp "$save" "$WORK/saved.bin"

# "Resume": the two go on with their ride and arrive at row 83.
click_at $RESUME
aim 900 200 # the helicopter out of the way
arrived() { [ "$(differ before_call resumed $DOOR83)" -gt 300 ] && [ "$(differ before_call resumed $PEOPLE87)" -gt 300 ]; }
wait_for 60 resumed eval 'arrived && heli_at 900'
hud_shown

# The stop icon and "y": back to the briefing, the saved game untouched; then "Exit".
find_px 994 750 30 18 'r > 180 && g < 80 && b < 80' 40 || fail "no stop icon"
aim "$AT_X" "$AT_Y" && sleep 0.3 && click
wait_for 5 stop_question question_box
xdotool key y
briefing after_stop
cmp -s "$save" "$WORK/saved.bin" || fail "resuming or quitting changed the saved game"
click_at $EXIT
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended with status $GAME_STATUS: $(cat "$SHOTS/stderr.txt")"
# The player's folder holds the saved game and nothing else was written anywhere.
[ -z "$(ls -A "$WORK/run")" ] || fail "the game wrote into its working folder: $(ls -A "$WORK/run")"
[ -z "$(find -L "$WORK/data" -newer "$WORK/.set-up" -print -quit)" ] || fail "the game wrote into its data folder"
echo "ok: the whole session in $SECONDS s; saved game of $size bytes; sound level $engine"
