#!/usr/bin/env bash
# Installs what is missing, builds Corvale and starts it from its game folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh play
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALE_TESTS=OFF
cmake --build build -j2
cd build/game
exec ./corvale
