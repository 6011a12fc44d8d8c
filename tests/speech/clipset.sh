#!/bin/bash
# The clip set the build put in the game folder: every clip the game can ask
# for is there as 16-bit stereo PCM at 22050 Hz and is not silent, and every
# entry of soundchart.txt gives its clip's real length to a tenth of a second,
# and every clip started at a fixed spacing ends before the next one starts.
#   clipset.sh GAME-FOLDER
set -u
game=$1
failures=0
bad() { echo "FAIL: $*"; failures=$((failures + 1)); }

names="welcome intro intro2 lvl1 lvl2 lvl3 lvl4 exit mainmenu begin click times minus
islessthan equals issetto padfull substitute original win _ padempty iscleared helpmenu helpplay"
for c in {a..z} {0..9}; do names="$names $c"; done

for name in $names; do
    clip=$game/sounds/$name.wav
    if [ ! -f "$clip" ]; then
        bad "no clip $clip"
        continue
    fi
    layout=$(soxi -t "$clip")/$(soxi -c "$clip")/$(soxi -r "$clip")/$(soxi -b "$clip")/$(soxi -e "$clip")
    [ "$layout" = "wav/2/22050/16/Signed Integer PCM" ] ||
        bad "$name.wav is $layout, not wav/2/22050/16/Signed Integer PCM"
    peak=$(sox "$clip" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
    awk -v p="$peak" 'BEGIN {exit !(p >= 0.05)}' || bad "$name.wav is silent (peak $peak)"
done

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
        if [ ! -f "$file" ]; then
            bad "the chart lists $name, which is not in the clip set"
            continue
        fi
        seconds=$(soxi -D "$file")
        awk -v t="$tenths" -v s="$seconds" 'BEGIN {d = t / 10 - s; exit !(d <= 0.1 && d >= -0.1)}' ||
            bad "the chart gives $name $tenths tenths, the clip lasts $seconds s"
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
    # its relation and letter 9 ticks.
    # A charted length holds the 60 ms of quiet clipgen leaves after the
    # voice, so a clip charted within its gap is heard out with that margin.
    declare -A gap=([times]=250 [minus]=250 [islessthan]=250 [equals]=250 [issetto]=600)
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
