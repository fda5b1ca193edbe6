#!/usr/bin/env bash
# Start-up failures: without a display, and with each start-up asset missing or cut
# short, the game says in one line what is wrong and ends with status 1.
set -u
: "${SOURCE_DIR:?}"
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run startup_failures

# expect_failure <what> <word> <command...>: one line naming the word, and status 1.
# The sound library's own complaints about a machine without a sound card are not
# the game's: they are left out.
expect_failure() {
    local what=$1 word=$2 out status
    shift 2
    out=$(cd "$WORK/run" && HOME=$WORK timeout 30 env -u XDG_DATA_HOME "$@" 2>&1 >/dev/null)
    status=$?
    out=$(printf '%s\n' "$out" | grep -v '^ALSA lib')
    [ $status -eq 1 ] && [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] && echo "$out" | grep -q "$word" ||
        fail "$what: status $status, printed: $out"
    echo "ok: $what -> $out"
}
expect_failure "no display" display env -u DISPLAY -u WAYLAND_DISPLAY "$GAME"
expect_failure "./play without a display" display env -u DISPLAY -u WAYLAND_DISPLAY "$SOURCE_DIR/play"
for missing in helicopter.bmp la.jpg stop.tga save.tga font.dat wind.wav body3-f-0.bmp; do
    rm "$WORK/data/$missing"
    expect_failure "$missing missing" "$missing" "$GAME"
    ln -s "$DATA_DIR/$missing" "$WORK/data/"
done
mv "$WORK/data" "$WORK/data.away"
expect_failure "no data folder" "$WORK/data" "$GAME"
mv "$WORK/data.away" "$WORK/data"

# A copy cut to half its size in place of the file: refused, never shown half blank,
# and the backdrop never decoded past its end.
for cut in helicopter.bmp stop.tga save.tga body3-f-0.bmp font.dat; do
    rm "$WORK/data/$cut" && head -c $(($(stat -L -c %s "$DATA_DIR/$cut") / 2)) "$DATA_DIR/$cut" >"$WORK/data/$cut"
    expect_failure "$cut cut to half" "\"$cut\": the file is cut short" "$GAME"
    rm "$WORK/data/$cut" && ln -s "$DATA_DIR/$cut" "$WORK/data/"
done
for size in 100000 2000 205; do
    rm "$WORK/data/la.jpg" && head -c $size "$DATA_DIR/la.jpg" >"$WORK/data/la.jpg"
    expect_failure "la.jpg cut to $size bytes" '"la.jpg": its JPEG data ends without an end-of-image marker' "$GAME"
done
# Cut, and closed again with an end-of-image marker: the decoder finds the data short.
{ head -c 100000 "$DATA_DIR/la.jpg" && printf '\377\331'; } >"$WORK/data/la.jpg"
expect_failure "la.jpg cut and closed" '"la.jpg": its JPEG data is damaged (Corrupt JPEG data: premature end of data segment)' "$GAME"
rm "$WORK/data/la.jpg" && ln -s "$DATA_DIR/la.jpg" "$WORK/data/"
rm "$WORK/data/wind.wav" && head -c 30 "$DATA_DIR/wind.wav" >"$WORK/data/wind.wav"
expect_failure "wind.wav cut to 30 bytes" '"wind.wav": it is not a sound the library can read' "$GAME"
rm "$WORK/data/wind.wav" && ln -s "$DATA_DIR/wind.wav" "$WORK/data/"
