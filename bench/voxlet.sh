#!/bin/bash
# How quickly Corvale's synthetic voice is heard: voxlet from exec to its
# first audio sample and from exec to exit less the length of its speech;
# the in-game synthesis from call to first chunk; and espeak-ng's own
# command line writing the same text to a file, in the same run. voxlet
# plays through SDL's disk audio driver, so no sound card is needed. The
# figures are printed for a person to read; nothing here passes or fails.
#   bench/voxlet.sh [BUILD-FOLDER] [RUNS]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-20}
text="Clue 3"

cmake --build "$build" --target voxlet speechbench >/dev/null
bench=$build/tests/speechbench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Speaking \"$text\" ($runs runs each; the goal is under 100 ms from exec to first sample)"
echo
"$bench" voxlet "$runs" "$build/game/voxlet" "100,2,$text"
echo
"$bench" synth "$runs" "$text"
echo "and a clue's sentence, as the H key has it spoken:"
"$bench" synth "$runs" "B C times D equals E F"
echo
"$bench" command "$runs" espeak-ng -w "$work/espeak.wav" "$text"
echo "espeak-ng -w speaks $(soxi -D "$work/espeak.wav" | awk '{printf "%.0f", $1 * 1000}') ms into a file and plays nothing"
