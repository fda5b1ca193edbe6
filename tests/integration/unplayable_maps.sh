#!/usr/bin/env bash
# Maps the game cannot play in place of buildings.fmp: too small, too narrow, tiles of
# another size, staggered rows, a damaged file. The map is loaded after the intro:
# there the game says in one line what is wrong with "buildings.fmp" and ends with
# status 1, before anything is drawn from the map.
set -u
. "$(dirname "$0")/../support/game_driver.sh"
in_xvfb "$@"
new_run unplayable_maps
map="$WORK/data/buildings.fmp"

# refused <what> <words>: through the intro to the map load, then one line and status 1.
refused() {
    start_game
    move 600 300
    wait_for 15 "intro_$1" continue_face
    click_at "$AT_X" "$AT_Y"
    wait_exit 15
    local out
    out=$(grep -v '^ALSA lib' "$SHOTS/stderr.txt")
    [ "$GAME_STATUS" -eq 1 ] && [ "$(printf '%s\n' "$out" | grep -c .)" -eq 1 ] &&
        [[ $out == *"$2"* ]] || fail "$1: status $GAME_STATUS, printed: $out"
    echo "ok: $1 -> $out"
}
play='cannot play the map "buildings.fmp": '
for kind in map-small map-narrow map-tiles32 map-staggered; do
    rm "$map" && "$BUILD_DIR/tests/damaged_files" $kind "$map" || fail "cannot make $kind"
    case $kind in
    map-small) words="${play}the map is 98 x 60 tiles; the game needs at least 98 x 120" ;;
    map-narrow) words="${play}the map is 20 x 120 tiles; the game needs at least 98 x 120" ;;
    map-tiles32) words="${play}its tiles are 32 x 32 pixels; the game needs 64 x 64" ;;
    map-staggered) words="${play}its rows of tiles are staggered; the game needs straight rows" ;;
    esac
    refused $kind "$words"
done
head -c 50000 "$DATA_DIR/buildings.fmp" >"$map"
refused map-cut 'cannot load the map "buildings.fmp": the file is damaged: not a map file, cut short, or with a part that does not fit its size (error 2)'
