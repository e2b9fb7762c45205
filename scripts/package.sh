#!/usr/bin/env bash
# Builds a release and makes the Debian package of it: build-package/chess-quorvin_<version>_<arch>.deb.
# Installed with `apt-get install ./build-package/chess-quorvin_*.deb`, it lives under /usr.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build-package"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
    -DQUORVIN_TESTS=OFF -DQUORVIN_BENCH=OFF
cmake --build "$build"
cd "$build"
cpack -G DEB
