#!/bin/bash
# The clip set the build put in the game folder: every clip the game can ask
# for ("\sounds\NAME.wav") is there as NAME.ogg, mono Ogg Vorbis at 22050 Hz,
# with no WAV of the same name to stand in its place, and is not silent; every
# entry of soundchart.txt gives its clip's real length to a tenth of a second,
# and every clip started at a fixed spacing ends before the next one starts.
# The set is even: no clip has a sample at full scale (clipped), the spoken
# clips' loudness lies within 3 dB, and they all start and end on the same
# short margin of silence. Every measure is taken on the decoded sound, as
# the player hears it.
#   clipset.sh GAME-FOLDER
set -u
game=$1
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

spoken=""
names="welcome intro intro2 intro3 lvl1 lvl2 lvl3 lvl4 exit mainmenu begin click times minus
islessthan equals issetto padfull padaside substitute original win _ padempty iscleared helpmenu helpplay
maybe takenoff nomarks padmore marksaside neweasy newmedium newhard making"
for c in {a..z} {0..9}; do names="$names $c"; done

declare -A decoded=()
for name in $names; do
    clip=$game/sounds/$name.ogg
    [ -e "$game/sounds/$name.wav" ] && bad "$name.wav stands in the place of $name.ogg"
    if [ ! -f "$clip" ]; then
        bad "no clip $clip"
        continue
    fi
    kind=$(soxi -t "$clip")
    [ "$kind" = vorbis ] || bad "$name.ogg is $kind, not Ogg Vorbis"
    # One decoding pass: the layout, the length in samples, the peak, samples
    # at full scale, the silence before and after the sound (below -50 dBFS),
    # and the loudness: the RMS of the 10 ms frames that sound (-40 dBFS or
    # more), in dB.
    read -r layout samples peak clipped lead tail loudness < <(sox "$clip" -t dat - | awk '
        /^; Sample Rate/ {rate = $4 + 0; next}
        /^; Channels/ {channels = $3 + 0; next}
        /^;/ {next}
        {
            n++; v = $2 < 0 ? -$2 : $2
            if (v > peak) peak = v
            if (v >= 32767 / 32768) clipped++
            if (v > 0.003) {if (!first) first = n; last = n}
            frame += v * v; framed++
            if (framed == 220) {if (frame / framed >= 1e-4) {sum += frame; counted += framed}; frame = framed = 0}
        }
        END {printf "%s/%s %d %g %d %d %d %.2f\n", channels, rate, n, peak, clipped, first ? first - 1 : n, n - last,
                    counted ? 10 * log(sum / counted) / log(10) : -999}')
    [ "$layout" = 1/22050 ] || bad "$name.ogg has channels/rate $layout, not 1/22050"
    decoded[$name]=$samples
    awk -v p="$peak" 'BEGIN {exit !(p >= 0.05)}' || bad "$name.ogg is silent (peak $peak)"
    [ "$clipped" -eq 0 ] || bad "$name.ogg has $clipped clipped samples"
    # The click and the win are tones, made to their own shape and level.
    [ "$name" = click ] || [ "$name" = win ] || spoken="$spoken$name $lead $tail $loudness"$'\n'
done

# The spoken clips alike: loudness within 3 dB, and one margin of silence at
# each end, neither longer than 100 ms. clipgen cuts every clip to the same
# margins to the sample; what the decoder gives back differs only by Vorbis's
# coding noise, which spreads over the transform block a sound's edge falls
# in: at most a short block (256 samples) before the voice starts, where the
# encoder switches to short blocks, and half a long block (1024 samples) after
# it ends. The noise lies well below the voice, but above -50 dBFS, so a
# margin may look that much shorter and never longer.
echo -n "$spoken" | awk '
    NR == 1 {lo = hi = $4; l0 = l1 = $2; t0 = t1 = $3; lshort = tshort = $1}
    {
        if ($4 < lo) {lo = $4; quiet = $1}; if ($4 > hi) {hi = $4; loud = $1}
        if ($2 < l0) {l0 = $2; lshort = $1}; if ($2 > l1) l1 = $2
        if ($3 < t0) {t0 = $3; tshort = $1}; if ($3 > t1) t1 = $3
    }
    END {
        ms = 22050 / 1000
        printf "spoken clips: loudness %.1f to %.1f dBFS, leading silence %.1f to %.1f ms, trailing %.1f to %.1f ms\n",
            lo, hi, l0 / ms, l1 / ms, t0 / ms, t1 / ms
        if (hi - lo > 3) {failed = 1; printf "FAIL: loudness spread %.1f dB over 3 dB: %s %.1f dBFS, %s %.1f dBFS\n", hi - lo, quiet, lo, loud, hi}
        if (l1 - l0 > 256) {failed = 1; printf "FAIL: the clips do not share one leading margin: %s starts %.1f ms early\n", lshort, (l1 - l0) / ms}
        if (t1 - t0 > 1024) {failed = 1; printf "FAIL: the clips do not share one trailing margin: %s ends %.1f ms late\n", tshort, (t1 - t0) / ms}
        if (l1 > 100 * ms || t1 > 100 * ms) {failed = 1; print "FAIL: a margin of silence is longer than 100 ms"}
        exit failed
    }' || failures=$((failures + 1))

chart=$game/soundchart.txt
if [ ! -f "$chart" ]; then
    bad "no $chart"
else
    # Every line ends in CR LF, and the file is whole entries of two lines.
    lines=$(wc -l <"$chart")
    crlf=$(grep -c $'\r$' "$chart")
    [ "$lines" -eq "$crlf" ] || bad "soundchart.txt has lines that do not end in CR LF"
    [ $((lines % 2)) -eq 0 ] || bad "soundchart.txt has $lines lines, not whole two-line entries"
    entries=0
    declare -A charted=()
    while IFS= read -r name && IFS= read -r tenths; do
        name=${name%$'\r'}
        tenths=${tenths%$'\r'}
        entries=$((entries + 1))
        short=${name#\\sounds\\}
        charted[${short%.wav}]=$tenths
        [[ $name =~ ^\\sounds\\[a-z0-9_]+\.wav$ ]] || bad "chart name \"$name\" is not \\sounds\\NAME.wav"
        [[ $tenths =~ ^[0-9]+(\.[0-9]+)?$ ]] || bad "chart length \"$tenths\" of $name is not a number"
        file=$game/${name//\\//}
        file=${file%.wav}.ogg
        if [ ! -f "$file" ]; then
            bad "the chart lists $name, which is not in the clip set"
            continue
        fi
        short=${short%.wav}
        samples=${decoded[$short]:-$(soxi -s "$file")}
        awk -v t="$tenths" -v n="$samples" 'BEGIN {d = t / 10 - n / 22050; exit !(d <= 0.1 && d >= -0.1)}' ||
            bad "the chart gives $name $tenths tenths, the clip lasts $samples samples at 22050 Hz"
    done <"$chart"
    for name in $names; do
        grep -qxF "\\sounds\\$name.wav"$'\r' "$chart" || bad "the chart does not list $name.wav"
    done
    echo "soundchart.txt: $entries entries"

    # The gap in milliseconds each clip gets before the next sound starts, the
    # shortest over its uses: clue reading spaces a relation word or "equals"
    # 5 ticks from the next letter and a letter (or, read through the pad, a
    # digit) 7 ticks from the next, but 6 after the first letter of a reading,
    # whose delay 0 fires on the same tick step as a delay 1 would; a digit
    # key spaces letter, "is set to" and digit 8 and 12 ticks apart; key A
    # its relation and letter 9 ticks; a mark's "may be" is 12 ticks before
    # its digit, and "no marks" 14 before the next letter of P.
    # A charted length holds the 60 ms of quiet clipgen leaves after the
    # voice, so a clip charted within its gap is heard out with that margin.
    declare -A gap=([times]=250 [minus]=250 [islessthan]=250 [equals]=250 [issetto]=600 [maybe]=600
        [nomarks]=700)
    for c in {a..z} {0..9}; do gap[$c]=300; done
    worst=""
    for name in "${!gap[@]}"; do
        t=${charted[$name]:-}
        [ -n "$t" ] || continue # a missing entry is reported above
        ms=$(awk -v t="$t" 'BEGIN {printf "%d", t * 100 + 0.5}')
        [ "$ms" -le "${gap[$name]}" ] ||
            bad "$name.wav is charted at $ms ms and overlaps the sound ${gap[$name]} ms after it"
        worst="$worst$((gap[$name] - ms)) $name ($ms of ${gap[$name]} ms)"$'\n'
    done
    echo "tightest fits: $(grep . <<<"$worst" | sort -n | head -n 3 | cut -d' ' -f2- | paste -sd,)"
fi

[ "$failures" -eq 0 ] && echo "clip set: all checks passed"
exit $((failures > 0))
