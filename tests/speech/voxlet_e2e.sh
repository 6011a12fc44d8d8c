#!/bin/bash
# voxlet end to end on SDL's disk audio driver: a good tail is heard as
# speech of a plausible length and ends with status 0; a refused tail ends
# with a non-zero status, says how a tail is written and plays nothing. It
# speaks with the engine and voice of the voice.txt beside it, and with the
# defaults when it cannot use that file.
#   voxlet_e2e.sh PATH-TO-VOXLET
set -u
voxlet=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export SDL_AUDIODRIVER=disk
# The built-in voice, whatever speech server this machine runs: its audio is
# what the disk driver captures.
export CORVALE_SPEECH=espeak
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Runs voxlet with the given arguments; its audio goes to $work/$name.raw.
run() {
    local name=$1
    shift
    SDL_DISKAUDIOFILE=$work/$name.raw "$voxlet" "$@" >"$work/$name.out" 2>"$work/$name.err"
}

# The length in seconds and the peak of a capture: 16-bit mono at 22050 Hz.
measure() {
    sox -t raw -r 22050 -e signed -b 16 -c 1 "$1" -n stat 2>&1 |
        awk '/^Length/ {len = $3} /^Maximum amplitude/ {max = $3} END {print len, max}'
}

# The samples of a capture that are not silent, one a line.
sounding() { od -An -v -td2 -w2 "$1" | awk '$1 != 0'; }

# A quoted and an unquoted tail are the same tail.
run quoted "100,2,Clue 3" || bad "voxlet \"100,2,Clue 3\" ended with status $?: $(cat "$work/quoted.err")"
run split 100,2,Clue 3 || bad "voxlet 100,2,Clue 3 ended with status $?"
if [ -s "$work/quoted.raw" ]; then
    read -r length peak < <(measure "$work/quoted.raw")
    awk -v l="$length" 'BEGIN {exit !(l >= 0.3 && l <= 3)}' ||
        bad "\"Clue 3\" lasted $length s, not the 0.3 to 3 s of two spoken words"
    awk -v p="$peak" 'BEGIN {exit !(p >= 0.1)}' || bad "\"Clue 3\" peaked at $peak: not audible speech"
    # The driver pads with silence as timing falls, so the sounds are compared
    # without their silent samples.
    cmp -s <(sounding "$work/quoted.raw") <(sounding "$work/split.raw") ||
        bad "the quoted and the unquoted tail were not spoken alike"
else
    bad "voxlet \"100,2,Clue 3\" played nothing"
fi
[ -s "$work/quoted.out" ] && bad "voxlet wrote on standard output: $(cat "$work/quoted.out")"

# A quieter volume is heard quieter.
run quiet "30,2,Clue 3" || bad "voxlet \"30,2,Clue 3\" ended with status $?"
read -r _ quietpeak < <(measure "$work/quiet.raw")
awk -v q="$quietpeak" -v p="${peak:-0}" 'BEGIN {exit !(q > 0 && q < 0.6 * p)}' ||
    bad "volume 30 peaked at $quietpeak against $peak at volume 100"

# Nothing after the second comma: nothing to say, and no error.
run empty "100,2," || bad "voxlet \"100,2,\" ended with status $?: $(cat "$work/empty.err")"

for tail in "100,2" "" "x,2,hi" "100,,hi" "100,11,hi" "101,2,hi" "-1,2,hi"; do
    run refused "$tail"
    status=$?
    [ "$status" -ne 0 ] || bad "voxlet \"$tail\" was taken"
    grep -q "usage: voxlet VOLUME,RATE,TEXT" "$work/refused.err" ||
        bad "voxlet \"$tail\" did not show how a tail is written: $(cat "$work/refused.err")"
    [ -s "$work/refused.raw" ] && bad "voxlet \"$tail\" played something"
    rm -f "$work/refused.raw"
done

# No arguments at all is an empty tail.
SDL_DISKAUDIOFILE=$work/none.raw "$voxlet" 2>/dev/null && bad "voxlet with no tail was taken"
[ -s "$work/none.raw" ] && bad "voxlet with no tail played something"

# The voice.txt beside the program picks the engine: a copy of voxlet in a
# folder of its own speaks in each voice, and the two are not the same sound.
# (A clip chart beside it makes the folder a game folder, its data beside it.)
mkdir "$work/alone"
cp "$voxlet" "$work/alone/voxlet"
: >"$work/alone/soundchart.txt"
for choice in espeak-ng flite; do
    printf 'engine=%s\n' "$choice" >"$work/alone/voice.txt"
    SDL_DISKAUDIOFILE=$work/$choice.raw "$work/alone/voxlet" "100,2,Clue 3" 2>"$work/$choice.err" ||
        bad "voxlet with engine=$choice ended with status $?: $(cat "$work/$choice.err")"
    read -r _ p < <(measure "$work/$choice.raw")
    awk -v p="$p" 'BEGIN {exit !(p >= 0.1)}' || bad "voxlet with engine=$choice peaked at $p"
done
cmp -s <(sounding "$work/espeak-ng.raw") <(sounding "$work/flite.raw") &&
    bad "engine=espeak-ng and engine=flite spoke alike"
# A voice.txt voxlet cannot use never silences it: a voice flite does not
# have gives flite's own voice, a faulty line all the defaults (espeak-ng).
# The game tells the player; its voxlets say nothing.
while read -r name text same; do
    printf "%b" "$text" >"$work/alone/voice.txt"
    SDL_DISKAUDIOFILE=$work/$name.raw "$work/alone/voxlet" "100,2,Clue 3" 2>"$work/$name.err" ||
        bad "voxlet with $name ended with status $?: $(cat "$work/$name.err")"
    grep -v CRITICAL "$work/$name.err" | grep -q . && bad "voxlet with $name said: $(cat "$work/$name.err")"
    cmp -s <(sounding "$work/$name.raw") <(sounding "$work/$same.raw") ||
        bad "voxlet with $name did not speak as $same does"
done <<'TABLE'
badvoice engine=flite\nvoice=nobody\n flite
badline engine=flite\nengine\x20flite\n espeak-ng
TABLE
[ "$failures" -eq 0 ] && echo "voxlet end to end: all checks passed"
exit $((failures > 0))
