#!/bin/sh
# Builds a fuzz target with clang and libFuzzer and runs it on a copy of its seed corpus.
# Usage: scripts/fuzz.sh [seconds=600] [build dir=build-fuzz] [target=fuzz_rules]
# fuzz_rules seeds from tests/fuzz/corpus, any other fuzz_<name> from tests/fuzz/corpus_<name>.
# Runs in fork mode and carries on after a finding, so one run collects every kind of fault;
# crash inputs land in <build dir>/findings, the grown corpus stays in <build dir>/<seed folder>.
set -eu

SECONDS_TO_RUN=${1:-600}
SOURCE=$(cd "$(dirname "$0")/.." && pwd)
BUILD=${2:-$SOURCE/build-fuzz}
TARGET=${3:-fuzz_rules}
if [ "$TARGET" = fuzz_rules ]; then
    SEEDS=corpus
else
    SEEDS=corpus_${TARGET#fuzz_}
fi
SANITIZERS=address,undefined

cmake -S "$SOURCE" -B "$BUILD" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 \
    -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,$SANITIZERS -fno-omit-frame-pointer -fno-sanitize-recover=undefined" \
    -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=$SANITIZERS" \
    -DQUORVIN_TESTS=ON -DQUORVIN_FUZZ=ON -DQUORVIN_SANITIZE=OFF -DQUORVIN_BENCH=OFF >/dev/null
cmake --build "$BUILD" --target "$TARGET"

mkdir -p "$BUILD/$SEEDS" "$BUILD/findings"
cp -n "$SOURCE"/tests/fuzz/"$SEEDS"/* "$BUILD/$SEEDS/" 2>/dev/null || true

cd "$BUILD/findings"
exec "$BUILD/tests/fuzz/$TARGET" -max_total_time="$SECONDS_TO_RUN" -max_len=4096 \
    -timeout=10 -fork=1 -ignore_crashes=1 -ignore_timeouts=1 -ignore_ooms=1 \
    -artifact_prefix="$BUILD/findings/" "$BUILD/$SEEDS"
