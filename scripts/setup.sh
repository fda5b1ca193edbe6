#!/usr/bin/env bash
# Shared set-up of ./play and ./run-tests on a Debian machine: installs the packages
# that are missing, builds build/ (Release) and generates the assets into build/data.
#   scripts/setup.sh play      packages for building and playing
#   scripts/setup.sh test      also the packages the test suite needs
#   scripts/setup.sh package   the packages for building the Debian package, and no
#                              build (scripts/package.sh builds in a copy of its own)
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config liballegro4-dev libjpgalleg4-dev libx11-dev libjpeg-dev
          libgtest-dev libfreetype-dev fonts-dejavu-core zlib1g-dev)
case "${1:-play}" in
test) packages+=(xvfb xauth xdotool x11-utils imagemagick clang libclang-rt-dev) ;;
package) packages+=(dpkg-dev debhelper fakeroot lintian desktop-file-utils appstream man-db) ;;
esac

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "setup: installing ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo=sudo
    export DEBIAN_FRONTEND=noninteractive
    if ! $sudo apt-get install -y --no-install-recommends "${missing[@]}"; then
        $sudo apt-get update
        $sudo apt-get install -y --no-install-recommends "${missing[@]}"
    fi
fi

[ "${1:-play}" != package ] || exit 0
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
