#!/bin/bash
# How quickly Corvale's synthetic voice is heard, with each engine in the
# same run (espeak-ng and flite): voxlet from exec to its first audio sample
# and from exec to exit less the length of its speech; the in-game synthesis
# from call to first chunk; and espeak-ng's own command line writing the same
# text to a file; then voxlet through a private speech-dispatcher beside its
# own spd-say. voxlet plays through SDL's disk audio driver and the server
# into a file, so no sound card is needed. The figures are printed for a
# person to read; nothing here passes or fails.
#   bench/voxlet.sh [BUILD-FOLDER] [RUNS]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
runs=${2:-20}
text="Clue 3"
# The game's own voice, whatever speech server runs here; speech-dispatcher
# is measured apart at the end.
export CORVALE_SPEECH=espeak

cmake --build "$build" --target voxlet speechbench >/dev/null
bench=$build/bench/speechbench
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "Speaking \"$text\" ($runs runs each; the goal is under 100 ms from exec to first sample)"
echo "The game's folder speaks with: $(tr '\n' ' ' <"$build/game/voice.txt" 2>/dev/null || echo "espeak-ng en")"
for choice in "espeak-ng en" "flite slt"; do
    set -- $choice
    echo
    echo "== $1, voice $2"
    # voxlet reads the engine from the voice.txt beside it: a copy of it in a
    # game folder of its own (a clip chart there makes it one) speaks with the
    # engine under test.
    mkdir -p "$work/$1"
    cp "$build/game/voxlet" "$work/$1/voxlet"
    : >"$work/$1/soundchart.txt"
    printf 'engine=%s\nvoice=%s\n' "$1" "$2" >"$work/$1/voice.txt"
    "$bench" voxlet "$runs" "$work/$1/voxlet" "100,2,$text"
    "$bench" synth "$runs" "$text" "$1" "$2"
    echo "and a clue's sentence, as the H key has it spoken:"
    "$bench" synth "$runs" "B C times D equals E F" "$1" "$2"
done
echo
"$bench" command "$runs" espeak-ng -w "$work/espeak.wav" "$text"
echo "espeak-ng -w speaks $(soxi -D "$work/espeak.wav" | awk '{printf "%.0f", $1 * 1000}') ms into a file and plays nothing"

# The same text through a private speech-dispatcher (nothing is heard: its
# audio goes into a file), voxlet beside speech-dispatcher's own spd-say.
echo
if command -v speech-dispatcher >/dev/null; then
    source "$here/tests/speech/private_speechd.sh"
    trap 'stopspeechd; rm -rf "$work"' EXIT
    if startspeechd "$work/speechd"; then
        echo "Through speech-dispatcher (its espeak-ng module; first sample as the server writes it):"
        # A first text starts the server's synthesis module; it is not measured.
        spd-say -w "$text"
        CORVALE_SPEECH=speechd "$bench" served "$runs" "$work/speechd/speech.raw" \
            "$build/game/voxlet" "100,2,$text"
        "$bench" served "$runs" "$work/speechd/speech.raw" spd-say -w "$text"
    else
        echo "speech-dispatcher did not start: $(cat "$work/speechd/server.log")"
    fi
else
    echo "speech-dispatcher is not installed: no figures for it"
fi
