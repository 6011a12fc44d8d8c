#!/usr/bin/env bash
# Builds the fuzz targets of tests/fuzz with clang's libFuzzer and both
# sanitizers in build-fuzz/, and runs each for SECONDS (default 30) from its
# seed corpus. What a run finds stays in build-fuzz/tests/fuzz/found/; a
# crash leaves its input as build-fuzz/tests/fuzz/crash-NAME-*.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
scripts/install-deps.sh test

CC=clang CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_FUZZ=ON \
    -DCORVALE_TESTS=OFF -DCORVALE_FUZZ_SECONDS="$seconds" >/dev/null
cmake --build build-fuzz -j2 --target fuzz
(cd build-fuzz && ctest -L fuzz --output-on-failure -j2 --timeout $((seconds + 300)))
