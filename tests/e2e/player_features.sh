#!/usr/bin/env bash
# The player's own keys and tables in the real game, played with xdotool and checked by
# screenshots and the captured sound: M on the briefing and in play silences everything
# and brings it back; the P of "Play Now" does not pause; the people counter's box on
# the HUD; an elevator ride shows its lit car climbing the shaft; P pauses (the screen
# still, the sound silent, the time bonus held across the pause: a save made right after
# shows it) and P plays on; a finished game's score in the briefing's table of best
# scores; the window losing the focus pauses, a click plays on. Ends with "Exit" and
# status 0.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run player_features
probe="$BUILD_DIR/tests/sound_probe"
save="$SAVE_DIR/resumed-game.bin" scores="$SAVE_DIR/best-scores.txt"
# Nine finished games of earlier runs: the one finished here comes first of ten.
mkdir -p "$SAVE_DIR"
printf '%s\n' "# Highrise Rescue best scores: score, highest mission reached, date" \
    "3900 3 2025-11-02" "3150 2 2025-10-30" "2800 2 2025-10-29" "2210 2 2025-09-14" \
    "1900 1 2025-09-01" "1250 1 2025-08-20" "800 1 2025-08-19" "420 1 2025-08-02" \
    "90 1 2025-07-31" >"$scores"
start_game
move 600 300 # keys go to the window under the pointer

# heard <name> <seconds>: the loudest step of the sound of the next seconds into PEAK, and
# the engine band's level into ENGINE.
heard() {
    local from to
    from=$(stat -c %s "$WORK/sound.raw")
    sleep "$2"
    to=$(stat -c %s "$WORK/sound.raw")
    PEAK=$("$probe" peak "$WORK/sound.raw" "$from" "$to") &&
        read -r _ _ ENGINE _ <<<"$("$probe" measure "$WORK/sound.raw" "$from" "$to")" ||
        fail "cannot measure the $1 sound"
    echo "$1: loudest step $PEAK, engine band level $ENGINE"
}
silent() { heard "$@" && [ "$PEAK" -le 2 ]; }
playing_sound() { heard "$@" && [ "$ENGINE" -gt 200 ]; }
# The pause box: white over the middle of the screen, its first line in blue.
pause_box() {
    find_px 432 356 160 55 'r > 215 && g > 215 && b > 215' 4000 &&
        find_px 432 356 160 25 'b > 120 && r < 100 && b > g + 40' 20
}
# The people counter: pink text on a white box between the score and the altitude.
counter_box() { find_px 212 750 190 18 'r > 170 && r > g + 60 && b > g + 20' 40; }
hud_whole() { [ "$(hud_parts 40)" -eq 5 ]; }
now() { date +%s.%N; }

wait_for 15 intro continue_face
click_at "$AT_X" "$AT_Y"
wait_for 10 briefing exit_face
playing_sound briefing 1 || fail "no sound on the briefing"

# M on the briefing: silence, and a line saying so; M again: the sound is back.
MUTE_LINE=230x19+130+487
press m
wait_for 5 briefing_muted eval '[ "$(differ briefing briefing_muted $MUTE_LINE)" -gt 100 ]'
silent "briefing, muted" 1 || fail "M on the briefing does not silence the game"
press m
wait_for 5 briefing_sound eval '[ "$(differ briefing briefing_sound $MUTE_LINE)" -eq 0 ]'
playing_sound "briefing, sound on" 1 || fail "a second M on the briefing does not bring the sound back"

# "Play Now" with P: still held as play starts, it does not pause. The HUD is whole, with
# the people counter between the score and the altitude.
press p
played_from=$(now)
wait_for 10 playing eval 'hud_whole && counter_box'
sleep 1 && shot still_playing
! pause_box && [ "$(differ playing still_playing 1024x700+0+0)" -gt 100 ] ||
    fail "the P of Play Now paused the game"

# M in play: silence; M again: the sound is back.
press m
silent "play, muted" 1 || fail "M in play does not silence the game"
press m
playing_sound "play, sound on" 1 || fail "a second M in play does not bring the sound back"

# Mission 1 starts at map y 5000: a click on the door of row 87 (screen y 568, x 512) calls
# two people, who ride up its shaft to row 83: a lit car climbs between the doors. car_top:
# the top row of the warm light in the shaft's channel between those doors, -1 if none.
car_top() {
    convert "$LAST_SHOT[24x185+532+380]" rgb:- | od -An -tu1 -v -w3 | awk '
        { y = int((NR - 1) / 24) } $1 > 200 && $2 > 170 && $3 > 90 && $3 < 190 {
            if (!n++ || y < top) top = y }
        END { print (n >= 300 ? 380 + top : -1) }'
}
aim 544 600 && sleep 0.5 && click 0.3
wait_for 20 ride eval '[ "$(car_top)" -ge 0 ]'
car_y=$(car_top)
sleep 0.3 && shot ride_on
[ "$(car_top)" -ge 0 ] && [ "$(car_top)" -lt "$car_y" ] || fail "the lit car does not climb the shaft"

# P pauses: the box over a still frame (the car halted in its shaft), no sound; P plays on.
press p
paused_from=$(now)
wait_for 5 paused pause_box
silent "paused" 1 || fail "the pause is not silent"
sleep 4 && shot still_paused
[ "$(differ paused still_paused 1024x768+0+0)" -eq 0 ] || fail "the paused screen moves"
sleep 1
press p
paused_until=$(now)
wait_for 5 played_on eval '! pause_box'
playing_sound "played on" 1 || fail "the sound does not come back after the pause"

# S and "y" right away: the saved time bonus is that of the time played, the pause left out.
# The game's clock counts whole seconds, so it may be 20 points off; the pause is worth 70.
press s
saved_at=$(now)
wait_for 5 save_question question_box
xdotool key y
wait_for 10 after_save exit_face
bonus=$(($(od -An -t d4 -j 8 -N 4 "$save"))) || fail "S then y wrote no saved game"
read -r played paused expected <<<"$(awk -v a="$played_from" -v b="$paused_from" -v c="$paused_until" \
    -v d="$saved_at" 'BEGIN { p = (b - a) + (d - c); printf "%.1f %.1f %d", p, c - b, 18000 - 10 * p }')"
echo "played $played s, paused $paused s: saved time bonus $bonus, $expected expected"
[ "$bonus" -ge $((expected - 30)) ] && [ "$bonus" -le $((expected + 30)) ] ||
    fail "the saved time bonus $bonus is not that of $played s of play ($expected)"

# The saved game, given a score, resumed and quit with Esc and "y": a finished game, first
# among the best scores, with its mission and today's date.
printf '\x11\x10\x00\x00' | dd of="$save" bs=1 seek=4 conv=notrunc status=none # 4113 points
press r
wait_for 10 resumed eval 'hud_whole && ! pause_box'
press Escape
wait_for 5 quit_question question_box
xdotool key y
wait_for 10 briefing_table exit_face
BEST_LINE=180x19+130+449 TABLE=380x210+520+449
[ "$(differ briefing briefing_table $BEST_LINE)" -gt 20 ] &&
    [ "$(differ briefing briefing_table $TABLE)" -gt 200 ] || fail "the briefing's best scores did not change"
today=$(date +%Y-%m-%d)
[ "$(sed -n 2p "$scores")" = "4113 1 $today" ] && [ "$(grep -c . "$scores")" -eq 11 ] &&
    [ "$(sed -n 11p "$scores")" = "90 1 2025-07-31" ] || fail "best scores: $(cat "$scores")"

# Another window (xmessage, of x11-utils) takes the focus: the game pauses. Once it is
# gone (the focus falls back to the window under the pointer) the game stays paused
# until a click.
press p
wait_for 10 playing_again hud_whole
xmessage -geometry +1100+900 "elsewhere" &
other=$!
wait_for 5 other_window eval 'other_id=$(xdotool search --name "^xmessage$" | head -1) && [ -n "$other_id" ]'
xdotool windowfocus "$other_id"
wait_for 5 focus_lost pause_box
kill "$other" && wait "$other" 2>/dev/null
sleep 1 && shot focus_back
pause_box || fail "the pause ended by itself when the focus came back"
click_at 600 300
wait_for 5 clicked_on eval '! pause_box && hud_whole'

# The stop icon and "y" (a score of 0 is no finished game), then "Exit".
find_px 994 750 30 18 'r > 180 && g < 80 && b < 80' 40 || fail "no stop icon"
aim "$AT_X" "$AT_Y" && sleep 0.3 && click
wait_for 5 stop_question question_box
xdotool key y
wait_for 10 briefing_last exit_face
[ "$(grep -c . "$scores")" -eq 11 ] || fail "a game of 0 points went into the best scores"
click_at "$AT_X" "$AT_Y"
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended with status $GAME_STATUS: $(cat "$SHOTS/stderr.txt")"
echo "ok: mute, pause, the people counter, focus and best scores in $SECONDS s"
