#!/usr/bin/env bash
# Installs what is missing, builds Corvale and starts it from its game folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh play
# build/ is the player's folder: configured once, then only built, so
# settings given to it by hand stay (scripts/test.sh builds elsewhere). A
# Release build: optimised, and stripped when it is installed.
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCORVALE_TESTS=OFF
cmake --build build -j2
cd build/game
exec ./corvale
