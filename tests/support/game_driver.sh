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

# wait_window: waits (up to 20 s) for the game's 1024 x 768 drawing area. Without a
# window manager the X11 driver may centre it in a child of a full-screen window, so
# it is found by its size; pointer moves and screenshots are relative to it.
wait_window() {
    local i id
    GAME_WINDOW=""
    for i in $(seq 1 100); do
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended before its window appeared"
        for id in $(xdotool search --onlyvisible --name '' 2>/dev/null); do
            eval "$(xdotool getwindowgeometry --shell "$id")"
            if [ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 768 ]; then GAME_WINDOW=$id; fi
        done
        [ -n "$GAME_WINDOW" ] && return 0
        sleep 0.2
    done
    fail "no 1024 x 768 game window after 20 s"
}

# shot <name>: screenshot of the game's drawing area into $ARTIFACT_DIR/<name>.png
shot() {
    LAST_SHOT="$ARTIFACT_DIR/$1.png"
    import -window "$GAME_WINDOW" "$LAST_SHOT"
}

# pixel <x> <y>: "r g b" of the last screenshot at game coordinates (x, y).
pixel() {
    convert "$LAST_SHOT" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:-
}

# column_matches <x> <y0> <y1> <awk condition on r g b>: the y values in the last
# screenshot's column x from y0 to y1 whose colour meets the condition.
column_matches() {
    convert "$LAST_SHOT" -crop "1x$(($3 - $2 + 1))+$1+$2" +repage -depth 8 txt:- |
        awk -v y0="$2" -F'[ ,:()]+' 'NR > 1 { r = $3; g = $4; b = $5; if ('"$4"') print y0 + $2 }'
}

# move <x> <y> in game coordinates; click [button]; key <name>
move() { xdotool mousemove --window "$GAME_WINDOW" "$1" "$2"; }
# The game samples the buttons once a frame: hold a click as a hand would.
click() {
    xdotool mousedown "${1:-1}"
    sleep 0.15
    xdotool mouseup "${1:-1}"
}
# The game reads held keys once a frame: hold each long enough to be seen.
press() {
    xdotool keydown "$1"
    sleep 0.3
    xdotool keyup "$1"
}

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
