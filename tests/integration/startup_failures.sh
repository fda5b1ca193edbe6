#!/usr/bin/env bash
# Start-up failures: without a display, and with each start-up asset missing, the game
# says in one line what is wrong and ends with a failure status.
set -u
: "${BUILD_DIR:?}" "${DATA_DIR:?}" "${SOURCE_DIR:?}"
fail() { echo "FAIL: $*" >&2; exit 1; }

# No display at all: the binary and ./play.
out=$(cd "$DATA_DIR" && env -u DISPLAY -u WAYLAND_DISPLAY "$BUILD_DIR/highrise" 2>&1)
status=$?
[ $status -eq 1 ] || fail "highrise without a display: status $status"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "highrise without a display printed: $out"
echo "$out" | grep -q "display" || fail "highrise without a display printed: $out"

out=$(env -u DISPLAY -u WAYLAND_DISPLAY "$SOURCE_DIR/play" 2>&1)
status=$?
[ $status -ne 0 ] || fail "./play without a display succeeded"
[ "$(printf '%s\n' "$out" | wc -l)" -eq 1 ] || fail "./play without a display printed: $out"
echo "$out" | grep -q "display" || fail "./play without a display printed: $out"

# Each start-up asset missing, under a virtual display.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for missing in helicopter.bmp la.jpg stop.tga save.tga font.dat wind.wav body3-f-0.bmp; do
    rm -rf "$work/data"
    cp -r "$DATA_DIR" "$work/data"
    rm "$work/data/$missing"
    # The sound library's own complaints about a machine without a sound card are
    # not the game's: leave them out.
    out=$(cd "$work/data" && timeout 30 xvfb-run -a -s "-screen 0 1280x1024x24" "$BUILD_DIR/highrise" 2>&1 >/dev/null)
    status=$?
    out=$(printf '%s\n' "$out" | grep -v '^ALSA lib')
    [ $status -eq 1 ] || fail "with $missing missing: status $status ($out)"
    [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] || fail "with $missing missing the game printed: $out"
    echo "$out" | grep -q "$missing" || fail "with $missing missing the message does not name it: $out"
    echo "ok: $missing missing -> $out"
done
