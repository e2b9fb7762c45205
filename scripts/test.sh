#!/usr/bin/env bash
# Installs what is needed, builds with the sanitizers and runs the whole test suite.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
build="$top/build-test"
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVIN_TESTS=ON \
    -DQUORVIN_SANITIZE=ON
cmake --build "$build"
cd "$build"
ctest --output-on-failure --timeout 600 -j"$(nproc)"
