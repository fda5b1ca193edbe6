#!/bin/bash
# Renders every mission's start and beacon views into PNG files:
#   tools/levelc/mission_views.sh <build folder>   (pictures in <build>/mission-views)
set -e
build=${1:-build}
out="$build/mission-views"
mkdir -p "$out"
rm -f "$out"/*.bmp "$out"/*.png
if command -v xvfb-run >/dev/null; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/mission_views" "$build/data" "$out"
else
    "$build/tools/mission_views" "$build/data" "$out"
fi
for bmp in "$out"/*.bmp; do
    convert "$bmp" "${bmp%.bmp}.png"
    rm "$bmp"
done
ls "$out"
