#!/usr/bin/env bash
# Shared set-up of ./play and ./run-tests on a Debian machine: installs the packages
# that are missing, builds build/ (Release) and generates the assets into build/data.
#   scripts/setup.sh play   packages for building and playing
#   scripts/setup.sh test   also the packages the test suite needs
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(cmake g++ make pkg-config liballegro4-dev libjpgalleg4-dev libgtest-dev
          libfreetype-dev fonts-dejavu-core)
if [ "${1:-play}" = test ]; then
    packages+=(xvfb xauth xdotool x11-utils imagemagick clang libclang-rt-dev)
fi

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

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build -j"$(nproc)"
