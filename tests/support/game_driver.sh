# Shell helpers for tests that drive the real game under a virtual display.
# Source it inside a script run by `xvfb-run -a -s "-screen 0 1280x1024x24"`.
# Needs BUILD_DIR and DATA_DIR; screenshots go to ARTIFACT_DIR.

ARTIFACT_DIR=${ARTIFACT_DIR:-${BUILD_DIR}/test-artifacts}
mkdir -p "$ARTIFACT_DIR"

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# start_game <folder> <stderr file>: runs build/highrise from <folder> in the background.
start_game() {
    (cd "$1" && exec "$BUILD_DIR/highrise") 2>"$2" &
    GAME_PID=$!
}

# wait_window: waits (up to 20 s) for the game's window to be mapped and focused.
wait_window() {
    local i
    for i in $(seq 1 200); do
        GAME_WINDOW=$(xdotool search --name "Highrise Rescue" 2>/dev/null | head -n 1)
        if [ -n "$GAME_WINDOW" ]; then
            xdotool windowactivate --sync "$GAME_WINDOW" >/dev/null 2>&1 || true
            xdotool windowfocus "$GAME_WINDOW" >/dev/null 2>&1 || true
            return 0
        fi
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
        sleep 0.1
    done
    fail "no game window after 20 s"
}

# Window origin on the root window, for absolute coordinates.
window_origin() {
    eval "$(xdotool getwindowgeometry --shell "$GAME_WINDOW")"
    WIN_X=$X
    WIN_Y=$Y
}

# shot <name>: screenshot of the game window's 1024 x 768 area into $ARTIFACT_DIR/<name>.png
shot() {
    window_origin
    import -window root -crop "1024x768+${WIN_X}+${WIN_Y}" +repage "$ARTIFACT_DIR/$1.png"
    LAST_SHOT="$ARTIFACT_DIR/$1.png"
}

# pixel <x> <y>: "r g b" of the last screenshot at game coordinates (x, y).
pixel() {
    convert "$LAST_SHOT" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:-
}

# column_matches <x> <y0> <y1> <awk condition on r g b>: the y values in the last
# screenshot's column x from y0 to y1 whose colour meets the condition.
column_matches() {
    convert "$LAST_SHOT" -crop "1x$(($3 - $2 + 1))+$1+$2" +repage -depth 8 txt:- |
        awk -v y0="$2" -F'[ ,:()]+' 'NR > 1 { r = $4; g = $5; b = $6; if ('"$4"') print y0 + $2 }'
}

# move <x> <y> in game coordinates; click [button]; key <name>
move() {
    window_origin
    xdotool mousemove "$((WIN_X + $1))" "$((WIN_Y + $2))"
}
click() { xdotool click "${1:-1}"; }
press() { xdotool key --window "$GAME_WINDOW" "$1" 2>/dev/null || xdotool key "$1"; }

# wait_exit <seconds>: waits for the game to end; sets GAME_STATUS.
wait_exit() {
    local i
    for i in $(seq 1 $(($1 * 10))); do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            GAME_STATUS=$?
            return 0
        fi
        sleep 0.1
    done
    kill "$GAME_PID" 2>/dev/null
    fail "the game did not end within $1 s"
}
