#!/usr/bin/env bash
# The real game under a virtual display: the intro over the backdrop, "Continue",
# the briefing with its three buttons, Esc on the briefing ends with status 0.
set -u
: "${BUILD_DIR:?}" "${DATA_DIR:?}"
if [ -z "${INSIDE_XVFB:-}" ]; then
    INSIDE_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
fi
. "$(dirname "$0")/../support/game_driver.sh"

stderr_file=$(mktemp)
start_game "$DATA_DIR" "$stderr_file"
wait_window
move 600 300 # keys go to the window under the pointer
sleep 1.5
shot intro

# The panel is white over the backdrop; the "Continue" face is green at panel x 20..140.
read -r r g b <<<"$(pixel 700 400)"
[ "$r" -gt 200 ] && [ "$g" -gt 200 ] && [ "$b" -gt 200 ] || fail "no white panel on the intro ($r $g $b)"
green_rows=$(column_matches 202 84 684 'g > r + 60 && g > b + 60')
[ -n "$green_rows" ] || fail "no Continue button on the intro"
button_y=$(echo "$green_rows" | awk '{ s += $1; n++ } END { print int(s / n) }')

# Click it: the release over the face leaves the intro.
move 200 "$button_y"
sleep 0.2
click 1
sleep 0.5
move 600 300
sleep 0.5
shot briefing
red_rows=$(column_matches 602 84 684 'r > 200 && g < 120 && b < 120')
yellow_rows=$(column_matches 402 84 684 'r > 150 && g > 150 && b < 110')
[ -n "$red_rows" ] && [ -n "$yellow_rows" ] || fail "the briefing's Resume and Exit buttons are not shown"
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended after Continue"

# Esc on the briefing is "Exit".
press Escape
wait_exit 10
[ "$GAME_STATUS" -eq 0 ] || fail "Exit ended with status $GAME_STATUS: $(cat "$stderr_file")"
echo "ok: intro, Continue, briefing, Esc exits with 0"
