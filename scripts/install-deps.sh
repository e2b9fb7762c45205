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

if [ "$(id -u)" -eq 0 ]; then
    sudo=()
else
    sudo=(sudo)
fi
export DEBIAN_FRONTEND=noninteractive
updated=0
if [ ${#missing[@]} -gt 0 ]; then
    "${sudo[@]}" apt-get update
    updated=1
    "${sudo[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# The puzzle series are made from pychess's problem collections: the package is only unpacked
# (it would pull in a whole Python desktop), into a folder of our own.
puzzles=/usr/local/share/quorvin/pychess
if [ ! -f /usr/share/pychess/learn/puzzles/loyd.olv ] &&
    [ ! -f "$puzzles/usr/share/pychess/learn/puzzles/loyd.olv" ]; then
    [ "$updated" -eq 1 ] || "${sudo[@]}" apt-get update
    download=$(mktemp -d)
    (cd "$download" && apt-get download pychess)
    "${sudo[@]}" mkdir -p "$puzzles"
    "${sudo[@]}" dpkg -x "$download"/pychess_*.deb "$puzzles"
    rm -rf "$download"
fi
