#!/usr/bin/env bash
# "Resume" with a saved game that does not add up (one person more than it holds):
# the game says so in its message box, starts a new game, and leaves the file as it
# was. Without a saved game, "Resume" starts a new game and says nothing.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run refused_save
save="$SAVE_DIR/resumed-game.bin"
mkdir -p "$SAVE_DIR"

start_game
move 600 300
wait_for 15 intro continue_face
click_at "$AT_X" "$AT_Y"
resume() { # from the briefing screen
    wait_for 10 "$1" exit_face
    find_px 342 380 120 300 'r > 150 && g > 150 && b < 110' 1000 || fail "no Resume button"
    click_at "$AT_X" "$AT_Y"
}
playing() { find_px 15 750 200 18 'b > 195 && b - r > 50 && g > 140' 40; }
quit_to_briefing() {
    press Escape
    wait_for 5 "quit_$1" question_box
    xdotool key y
}
# One person more than mission 1 holds: counted nowhere, or standing in the sky.
for kind in save-too-many save-in-the-sky; do
    "$BUILD_DIR/tests/damaged_files" $kind "$save" || fail "cannot make $kind"
    cp "$save" "$WORK/bad.bin"
    resume "briefing_$kind"
    wait_for 10 "told_$kind" question_box
    ! playing || fail "$kind: play began under the notice"
    xdotool key Return
    wait_for 10 "new_game_$kind" playing
    cmp -s "$save" "$WORK/bad.bin" || fail "$kind: the refused saved game was changed"
    echo "ok: $kind is refused, told, and left as it was"
    quit_to_briefing $kind
done

# Without a saved game: a new game, without a word.
rm "$save"
resume briefing_without
wait_for 10 new_game_without playing
! question_box || fail "a missing saved game was told"
echo "ok: without a saved game, Resume starts a new game silently"
