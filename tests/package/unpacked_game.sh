#!/usr/bin/env bash
# The game as the package installs it: unpacked with dpkg -x into a scratch folder and
# played under Xvfb from an unrelated working folder, with HOME and XDG_DATA_HOME in
# scratch folders of their own: intro, "Continue", "Play Now", S and "y", "Resume", Esc
# and "y", then "Exit" with status 0. The saved game lands in the XDG folder and
# nowhere else, and nothing in the unpacked package is written or touched.
#   BUILD_DIR=build DATA_DIR=build/data tests/package/unpacked_game.sh <package.deb>
set -u
deb=$(realpath "${1:?usage: unpacked_game.sh <package.deb>}")
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$deb"
new_run unpacked_game own
dpkg -x "$deb" "$WORK/unpacked" || fail "dpkg -x cannot unpack $deb"
GAME="$WORK/unpacked/usr/games/highrise-rescue"
use_xdg_data_home "$WORK/xdg"
save="$SAVE_DIR/resumed-game.bin"
# Every file and folder of the package with its size and time, to compare afterwards.
package_state() { (cd "$WORK/unpacked" && find . -printf '%p %s %T@\n' | sort); }
before=$(package_state)
sleep 1 # so that a write within this second still shows as a newer time

start_game
move 600 300 # keys go to the window under the pointer
wait_for 15 intro continue_face
click_at "$AT_X" "$AT_Y"
briefing briefing
click_at $PLAY
hud() { find_px 15 750 200 18 'b > 195 && b - r > 50 && g > 140' 40; } # the score panel
wait_for 10 playing hud

press s
wait_for 5 save_question question_box
xdotool key y
briefing after_save
[ -s "$save" ] || fail "S then y wrote no saved game into $SAVE_DIR"

click_at $RESUME
wait_for 10 resumed hud
press Escape
wait_for 5 quit_question question_box
xdotool key y
briefing after_quit
click_at $EXIT
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended with status $GAME_STATUS: $(cat "$SHOTS/stderr.txt")"

# The saved game is in the XDG folder alone: not in HOME's default place, not in the
# working folder, not beside the game.
saves=$(cd "$WORK" && find . -name 'resumed-game*')
[ "$saves" = "./xdg/highrise-rescue/resumed-game.bin" ] || fail "saved games found: $saves"
[ -z "$(ls -A "$WORK/run")" ] || fail "the game wrote into its working folder: $(ls -A "$WORK/run")"
changed=$(diff <(echo "$before") <(package_state))
[ -z "$changed" ] || fail "the game changed its unpacked package: $changed"
echo "ok: the unpacked package played, saved into $SAVE_DIR and resumed in $SECONDS s"
