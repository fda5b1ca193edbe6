#!/usr/bin/env bash
# The X server going away under the game, on the intro screen and in the middle of
# play: one line saying so and status 1, never an abort or a hang. The game runs on
# a virtual display of this script's own, which it then kills.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
new_run display_lost

XVFB_PID=""
trap '[ -z "$GAME_PID" ] || kill -KILL "$GAME_PID" 2>/dev/null; [ -z "$XVFB_PID" ] || kill -KILL "$XVFB_PID" 2>/dev/null; rm -rf "$WORK"' EXIT
own_display() {
    rm -f "$WORK/display" # else the last server's number may be read before the new one
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset 3>"$WORK/display" >/dev/null 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 50); do [ -s "$WORK/display" ] && break; sleep 0.1; done
    [ -s "$WORK/display" ] || fail "no virtual display"
    export DISPLAY=":$(cat "$WORK/display")"
    # The number can come before the server takes connections: wait until it does
    # (-noreset: the server would reset when this first client leaves, and drop the
    # game's connection in the middle of it).
    for _ in $(seq 50); do xdotool getdisplaygeometry >/dev/null 2>&1 && return; sleep 0.1; done
    fail "the virtual display $DISPLAY takes no connection"
}
# lose_display <when> <signal>: kills the server and expects the one line and status 1.
# A server killed outright leaves its lock and socket behind: they are cleared here.
lose_display() {
    kill -"$2" "$XVFB_PID" && wait "$XVFB_PID" 2>/dev/null
    rm -f "/tmp/.X${DISPLAY#:}-lock" "/tmp/.X11-unix/X${DISPLAY#:}"
    XVFB_PID=""
    wait_exit 15
    out=$(grep -v '^ALSA lib' "$SHOTS/stderr.txt")
    [ "$GAME_STATUS" -eq 1 ] && [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] &&
        echo "$out" | grep -q "display has gone away" ||
        fail "display lost $1: status $GAME_STATUS, printed: $out"
    echo "ok: display lost $1 -> $out"
}

own_display
start_game
lose_display "on the intro" KILL

own_display
start_game
move 600 300
wait_for 15 intro continue_face
click_at "$AT_X" "$AT_Y"
wait_for 10 briefing exit_face
continue_face || fail "no Play Now button"
click_at "$AT_X" "$AT_Y"
wait_for 10 playing find_px 15 750 200 18 'b > 195 && b - r > 50 && g > 140' 40
xdotool mousedown 1 # spraying, the sound busy
sleep 0.5
lose_display "during play" TERM
