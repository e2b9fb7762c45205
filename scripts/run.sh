#!/usr/bin/env bash
# Installs what is needed, builds the program folder and starts veldran.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
"$top/scripts/install-deps.sh"
cmake -S "$top" -B "$top/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVIN_TESTS=OFF
cmake --build "$top/build"
exec "$top/build/app/veldran" "$@"
