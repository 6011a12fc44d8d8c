#!/usr/bin/env bash
# Builds Corvale for Windows (scripts/build-windows.sh: the libraries once,
# then the programs and tests) and runs the Windows tests under wine: each
# test program is one test, in one wine process. Not part of scripts/test.sh:
# the first build of the libraries alone takes about 20 minutes.
#   scripts/test-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
# The end-to-end run's tools (xvfb, xdotool, sox) are the Linux tests' own.
scripts/install-deps.sh test
scripts/build-windows.sh build
begun=$SECONDS
echo "== tests under wine"
(cd build-windows/cross && ctest --output-on-failure --timeout 600)
echo "== tests under wine: $((SECONDS - begun)) s"
