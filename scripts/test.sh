#!/usr/bin/env bash
# Installs what is missing, builds Corvale with warnings as errors and runs
# every test; then builds it again with AddressSanitizer and
# UndefinedBehaviorSanitizer and runs every test a second time; last, runs
# each fuzz target for a short while (scripts/fuzz.sh, in build-fuzz/). Each
# build has a folder of its own (build-test/, build-asan/, build-fuzz/), so
# the game folder scripts/play.sh plays from, build/game/, is never
# reconfigured by this.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh test

cmake -S . -B build-test -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_WERROR=ON -DCORVALE_TESTS=ON
cmake --build build-test -j2
(cd build-test && ctest --output-on-failure -j2 --timeout 300)

cmake -S . -B build-asan -DCMAKE_BUILD_TYPE=Debug -DCORVALE_WERROR=ON -DCORVALE_SANITIZE=ON \
    -DCORVALE_TESTS=ON
cmake --build build-asan -j2
(cd build-asan && ctest --output-on-failure -j2 --timeout 600)

# Every fuzz target for 30 seconds, built with clang's libFuzzer and both
# sanitizers, so the targets stay built and green.
scripts/fuzz.sh 30
