#!/usr/bin/env bash
# Builds the Debian package highrise-rescue_<version>_<arch>.deb from this checkout and
# leaves it, with the build's other outputs and its log, in build/package/ (or the
# folder given). The packaging tools are installed when missing. The package is built
# from a copy of the files git knows of, as they are in the working tree, so nothing
# built or generated here (build/, the assets) can enter it: its data is generated
# from source during the package build.
#   scripts/package.sh [output folder]
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-build/package}")
scripts/setup.sh package

version=$(dpkg-parsechangelog -S Version)
scratch=$(mktemp -d /tmp/highrise-package-XXXXXX)
trap 'rm -rf "$scratch"' EXIT
# dpkg-buildpackage writes its outputs beside the source folder: into $scratch.
src="$scratch/highrise-rescue-$version"
mkdir "$src"
git ls-files -z --cached --others --exclude-standard |
    while IFS= read -r -d '' f; do [ -e "$f" ] && printf '%s\0' "$f"; done |
    tar --null -T - -cf - | tar -xf - -C "$src"

mkdir -p "$out"
rm -f "$out"/highrise-rescue*_*.* "$out/build.log"
echo "package: building highrise-rescue $version in $src (log: $out/build.log)"
if ! (cd "$src" && dpkg-buildpackage -us -uc -b -j"$(nproc)") >"$out/build.log" 2>&1; then
    tail -n 40 "$out/build.log" >&2
    echo "package: dpkg-buildpackage failed; the whole log is $out/build.log" >&2
    exit 1
fi
cp "$scratch"/highrise-rescue*_"$version"_* "$out"/
ls "$out"/highrise-rescue_"$version"_*.deb
