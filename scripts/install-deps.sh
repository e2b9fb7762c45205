#!/usr/bin/env bash
# Installs the Debian packages Chess Quorvin needs to build, run and test. Safe to run again.
set -euo pipefail

packages=(
    # build
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6svg6 qt6-qpa-plugins
    libsdl2-mixer-dev libespeak-ng-dev espeak-ng-data
    # run time data and peers
    timgm6mb-soundfont adwaita-icon-theme stockfish scid-data polyglot
    # a second UCI engine, the slave in engine-against-engine games
    glaurung
    # build-time picture and sound tools
    imagemagick librsvg2-bin sox fonts-dejavu-core
    # tests
    libgtest-dev libgmock-dev googletest libbenchmark-dev xvfb xauth openbox xdotool x11-utils
    # packaging
    dpkg-dev file xdg-utils xclip
)

missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
        missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update
"${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
