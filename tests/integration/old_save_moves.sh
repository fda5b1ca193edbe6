#!/usr/bin/env bash
# An earlier version kept the saved game in the working folder: the first start moves
# it into the player's folder, byte for byte, and a later start leaves the player's
# own save alone.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run old_save_moves
head -c 13540 /dev/urandom >"$WORK/old.bin"
cp "$WORK/old.bin" "$WORK/run/resumed-game.bin"

start_game
cmp -s "$WORK/old.bin" "$SAVE_DIR/resumed-game.bin" || fail "the old save did not reach $SAVE_DIR"
[ ! -e "$WORK/run/resumed-game.bin" ] || fail "the old save is still in the working folder"
grep -q "saved game now lives in $SAVE_DIR" "$SHOTS/stdout.txt" || fail "the move was not told"
kill -KILL "$GAME_PID" && wait "$GAME_PID" 2>/dev/null
GAME_PID=""

echo "another" >"$WORK/run/resumed-game.bin"
start_game
cmp -s "$WORK/old.bin" "$SAVE_DIR/resumed-game.bin" || fail "a second old save replaced the player's"
[ "$(cat "$WORK/run/resumed-game.bin")" = another ] || fail "the second old save was not left alone"
echo "ok: the old save moved once, into $SAVE_DIR"
