#!/bin/bash
# clipgen as the build runs it: a bad table line stops it with the file and
# line named and no chart written; an unknown engine or voice is named;
# another engine or voice rebuilds a set with its chart, the click and the
# win made beside it, as Ogg files that replace any WAV of the same name; a
# clip with a longest length is spoken faster until it fits, and one that
# cannot fit stops the build with the clip named.
#   clipgen_cli.sh PATH-TO-CLIPGEN
set -u
clipgen=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

printf '# test\nhello\tHello.\nbye Goodbye.\n' >"$work/bad.tsv"
"$clipgen" --table "$work/bad.tsv" --out "$work/bad" 2>"$work/bad.err" && bad "a bad table was taken"
grep -qF "$work/bad.tsv:3:" "$work/bad.err" || bad "the bad line was not named: $(cat "$work/bad.err")"
[ -e "$work/bad/soundchart.txt" ] && bad "a chart was written from a bad table"

printf 'hello\tHello.\n' >"$work/good.tsv"
"$clipgen" --table "$work/good.tsv" --out "$work/none" --voice no-such-voice 2>"$work/voice.err" &&
    bad "an unknown voice was taken"
grep -q "no-such-voice" "$work/voice.err" || bad "the unknown voice was not named: $(cat "$work/voice.err")"
"$clipgen" --table "$work/good.tsv" --out "$work/none" --engine festival 2>"$work/engine.err" &&
    bad "an unknown engine was taken"
grep -q "festival" "$work/engine.err" || bad "the unknown engine was not named: $(cat "$work/engine.err")"
"$clipgen" --table "$work/good.tsv" --out "$work/none" --engine flite --voice de 2>"$work/flite.err" &&
    bad "flite took a voice it does not have"
grep -q '"de"' "$work/flite.err" || bad "flite's unknown voice was not named: $(cat "$work/flite.err")"

for choice in "espeak-ng de" "flite kal"; do
    set -- $choice
    # A WAV clip an older build left would be found before the new one.
    mkdir -p "$work/$2/sounds"
    echo old >"$work/$2/sounds/hello.wav"
    if "$clipgen" --table "$work/good.tsv" --out "$work/$2" --engine "$1" --voice "$2" 2>"$work/$2.err"; then
        expected=$(printf '\\sounds\\%s.wav\n' hello click win)
        listed=$(awk 'NR % 2 == 1' "$work/$2/soundchart.txt" | tr -d '\r')
        [ "$listed" = "$expected" ] || bad "the chart of a one-clip table lists: $listed"
        for clip in hello click win; do
            [ -s "$work/$2/sounds/$clip.ogg" ] || bad "no $clip.ogg in the $choice set"
        done
        [ -e "$work/$2/sounds/hello.wav" ] && bad "the old hello.wav was left in the $choice set"
    else
        bad "clipgen --engine $1 --voice $2 failed: $(cat "$work/$2.err")"
    fi
done

# "Hello there, my friend." lasts over a second at the normal rate: with a
# limit of 800 ms it comes out at most that long in every voice, and it
# cannot be said in 100 ms at all.
printf 'hello\tHello there, my friend.\t0\t800\n' >"$work/fit.tsv"
for engine in espeak-ng flite; do
    if "$clipgen" --table "$work/fit.tsv" --out "$work/fit-$engine" --engine "$engine" 2>"$work/fit.err"; then
        ms=$(soxi -D "$work/fit-$engine/sounds/hello.ogg" | awk '{printf "%d", $1 * 1000}')
        [ "$ms" -le 800 ] || bad "$engine: a clip limited to 800 ms lasts $ms ms"
        [ "$ms" -ge 500 ] || bad "$engine: a clip limited to 800 ms was cut to $ms ms"
    else
        bad "$engine: a clip that fits at a faster rate failed: $(cat "$work/fit.err")"
    fi
done
printf 'hello\tHello there, my friend.\t0\t100\n' >"$work/unfit.tsv"
"$clipgen" --table "$work/unfit.tsv" --out "$work/unfit" 2>"$work/unfit.err" &&
    bad "a clip that cannot fit its 100 ms was taken"
grep -q '"hello".*100 ms' "$work/unfit.err" || bad "the clip that cannot fit was not named: $(cat "$work/unfit.err")"
[ -e "$work/unfit/soundchart.txt" ] && bad "a chart was written for a set with a clip that does not fit"

[ "$failures" -eq 0 ] && echo "clipgen: all checks passed"
exit $((failures > 0))
