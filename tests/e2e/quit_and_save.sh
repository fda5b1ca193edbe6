#!/usr/bin/env bash
# The quit and save questions in the real game, driven with xdotool under Xvfb:
#   Escape then "n" goes on playing; S then "y" writes the saved game and returns to
#   the briefing; R resumes the same mission with the same people in the same
#   places; Escape in the menu (its Exit) ends the program with status 0.
# Screenshots and the game's output go to $ARTIFACT_DIR/quit_and_save.
set -uo pipefail

: "${BUILD_DIR:?}" "${DATA_DIR:?}"
ARTIFACT_DIR=${ARTIFACT_DIR:-$BUILD_DIR/test-artifacts}
out="$ARTIFACT_DIR/quit_and_save"

if [ -z "${QUIT_AND_SAVE_IN_XVFB:-}" ]; then
    mkdir -p "$out"
    rm -f "$out"/*.png "$out"/*.log
    QUIT_AND_SAVE_IN_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0"
fi

fail() {
    echo "quit_and_save: FAIL: $*" >&2
    [ -n "${game_pid:-}" ] && kill "$game_pid" 2>/dev/null
    exit 1
}
log() { echo "quit_and_save: $*"; }

game="$BUILD_DIR/highrise"
[ -x "$game" ] || fail "no game at $game"
for asset in buildings.fmp font.dat helicopter.bmp la.jpg stop.tga save.tga helicopter.wav \
    water.wav wind.wav fire.wav points1.mid points2.mid body0-f-0.bmp; do
    [ -e "$DATA_DIR/$asset" ] || fail "asset $asset missing from $DATA_DIR"
done

# The game runs in a folder of its own, linked to the data, so that its saved game
# neither meets an old one nor stays behind in the data folder.
work=$(mktemp -d /tmp/highrise-e2e-XXXXXX)
trap 'rm -rf "$work"' EXIT
for f in "$DATA_DIR"/*; do
    [ "$(basename "$f")" = resumed-game.bin ] || ln -s "$f" "$work/"
done
save="$work/resumed-game.bin"

(cd "$work" && exec "$game") >"$out/game.log" 2>&1 &
game_pid=$!

# The game's drawing area, once its 1024 x 768 mode is set. Without a window
# manager the X11 driver may centre it in a child of a full-screen window, so it
# is found by its size, and the pointer and screenshots are placed relative to it.
win=""
for _ in $(seq 150); do
    kill -0 "$game_pid" 2>/dev/null || fail "the game ended during start-up (see $out/game.log)"
    for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
        eval "$(xdotool getwindowgeometry --shell "$id")"
        if [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ]; then win=$id; fi
    done
    [ -n "$win" ] && break
    sleep 0.2
done
[ -n "$win" ] || fail "no 1024 x 768 game window"
log "game window $win"

# The pointer rests inside the window, away from the icons and the scrolling edges;
# without a window manager the keys go to the window under it.
xdotool mousemove --window "$win" 600 300
sleep 1

# The game reads held keys once a frame: hold each long enough to be seen. The
# questions read their answers from the key buffer, so a plain key press will do.
hold() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
    sleep "${2:-1}"
}
answer() {
    xdotool key "$1"
    sleep "${2:-1}"
}
shot() { import -window "$win" "$out/$1.png"; }
# Pixels that differ between two screenshots.
differ() { compare -metric AE -fuzz 3% "$out/$1.png" "$out/$2.png" null: 2>&1 | cut -d' ' -f1; }
# Pure white pixels around the middle of the screen, where the question box sits.
box_white() {
    convert "$out/$1.png" -crop 480x120+272+324 +repage -fill black +opaque white \
        -format '%[fx:int(mean*w*h+0.5)]' info:
}
alive() { kill -0 "$game_pid" 2>/dev/null; }
ALL=$((1024 * 768))

shot intro
hold Escape
shot briefing

hold p 2
shot playing
[ "$(differ playing briefing)" -gt $((ALL / 10)) ] || fail "P did not start the game"

# Escape, then "No": the game goes on.
hold Escape
shot quit_question
white=$(box_white quit_question)
[ "$white" -gt 4000 ] || fail "no question box after Escape ($white white pixels)"
answer n
shot after_no
alive || fail "the game ended after No"
[ "$(box_white after_no)" -lt $((white / 2)) ] || fail "the question stayed up after No"
[ "$(differ after_no briefing)" -gt $((ALL / 10)) ] || fail "No to the quit question left the game"
[ -e "$save" ] && fail "a saved game appeared without saving"

# S, then "Yes": the game is saved and the briefing comes back.
hold s
shot save_question
[ "$(box_white save_question)" -gt 4000 ] || fail "no question box after S"
answer y 2
shot after_save
[ -f "$save" ] || fail "S then y wrote no saved game"
size=$(stat -c %s "$save")
if [ "$size" -lt 13460 ] || [ $(((size - 13460) % 40)) -ne 0 ]; then
    fail "saved game of $size bytes"
fi
log "saved game of $size bytes ($(((size - 13460) / 40)) people in transit)"
[ "$(differ after_save briefing)" -lt $((ALL / 50)) ] || fail "the briefing did not come back after saving"
cp "$save" "$work/first-save.bin"

# R: the saved mission again. Saving it at once must give the same cells, slots and
# counters (only the time bonus may have moved on).
hold r 2
shot resumed
[ "$(differ resumed briefing)" -gt $((ALL / 10)) ] || fail "R did not resume"
cmp -s "$save" "$work/first-save.bin" || fail "resuming changed the saved game"
hold s
answer y 2
shot after_second_save
[ "$(differ after_second_save briefing)" -lt $((ALL / 50)) ] || fail "no briefing after the second save"
same_part() { { head -c 8 "$1"; tail -c +13 "$1"; } | md5sum; }
[ "$(same_part "$save")" = "$(same_part "$work/first-save.bin")" ] ||
    fail "the resumed mission differs from the one saved"

# Exit.
hold Escape 0
for _ in $(seq 50); do alive || break; sleep 0.2; done
alive && fail "the game did not end after Exit"
wait "$game_pid"
status=$?
game_pid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status"
log "passed"
