#!/bin/bash
# How candidate voices do on the game's clip set, by measures a program can
# take: each candidate speaks the whole clip table through clipgen, then
#   - lengths: the whole set, the longest letter, the relation words and
#     "is set to" (what must fit the gaps of the clue reading: a letter has
#     300 ms, a relation word 250 ms, "is set to" 600 ms; every clip carries a
#     10 ms lead and a 60 ms silent tail), and which clips the voice cannot
#     fit into their gaps even at the fastest rate;
#   - loudness: the spread of the clips' speech RMS and the highest peak;
#   - intelligibility, by an offline recogniser (pocketsphinx, US English):
#     the words of the sentences and words recognised (longest common
#     subsequence with the text), and each letter and digit recognised
#     against a grammar of all letters or all digits, clean and with white
#     noise at 20 dB and 10 dB below the speech;
#   - for each pair of letters the ear confuses most (B D E P T V Z, M N,
#     F S), how often the recogniser took one for the other (of 6 tries).
# The figures are printed for a person to read; nothing here passes or fails.
#   bench/voices.sh [BUILD-FOLDER] [ENGINE:VOICE ...]
set -eu
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
shift || true
candidates=${*:-espeak-ng:en flite:slt flite:kal flite:awb flite:rms}
model=/usr/share/pocketsphinx/model/en-us
if ! command -v pocketsphinx_batch >/dev/null || [ ! -d "$model" ]; then
    echo "voices.sh needs the recogniser: scripts/install-deps.sh bench" >&2
    exit 1
fi
cmake --build "$build" --target clipgen >/dev/null
clipgen=$build/tools/clipgen/clipgen
table=$here/sounds/clips.tsv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

letters=$(echo {a..z})
digits="0 1 2 3 4 5 6 7 8 9"
digitwords=(zero one two three four five six seven eight nine)
# The clips heard as words and sentences: every spoken clip but letters and digits.
words=$(awk -F'\t' '!/^#/ && NF >= 2 && $1 !~ /^([a-z]|[0-9])$/ {print $1}' "$table")

grammar() {  # NAME WORD...
    local name=$1
    shift
    printf '#JSGF V1.0;\ngrammar %s;\npublic <%s> = %s;\n' "$name" "$name" "$(echo "$@" | sed 's/ / | /g')"
}
grammar letters $letters >"$work/letters.gram"
grammar digits "${digitwords[@]}" >"$work/digits.gram"

# The text a clip says, as the recogniser spells words: lower case, no
# punctuation, digits as words.
reference() {
    awk -F'\t' -v n="$1" '$1 == n {print $2}' "$table" | tr 'A-Z' 'a-z' | tr -c "a-z0-9'\n" ' ' |
        sed 's/0/ zero /g; s/1/ one /g; s/2/ two /g; s/3/ three /g; s/4/ four /g;
             s/5/ five /g; s/6/ six /g; s/7/ seven /g; s/8/ eight /g; s/9/ nine /g'
}

# pocketsphinx over NAMES in FOLDER (16 kHz mono WAV files); prints "name hypothesis".
recognise() {  # FOLDER GRAMMAR-OR-"" NAME...
    local dir=$1 gram=$2
    shift 2
    printf '%s\n' "$@" >"$dir/ctl"
    local args=(-ctl "$dir/ctl" -cepdir "$dir" -cepext .wav -adcin yes -adchdr 44
        -hyp "$dir/hyp" -logfn /dev/null)
    [ -n "$gram" ] && args+=(-jsgf "$gram")
    nice pocketsphinx_batch "${args[@]}" >/dev/null 2>&1
    sed -E 's/^(.*) \(([^ ]+) [-0-9]+\)$/\2 \1/; s/^\(([^ ]+) [-0-9]+\)$/\1/' "$dir/hyp"
}

# Words of REFERENCE found in order in HYPOTHESIS, and the count of REFERENCE's words.
matched() {
    awk -v r="$1" -v h="$2" 'BEGIN {
        n = split(r, a, " "); m = split(h, b, " ")
        for (i = 0; i <= n; i++) for (j = 0; j <= m; j++) L[i, j] = 0
        for (i = 1; i <= n; i++) for (j = 1; j <= m; j++)
            L[i, j] = a[i] == b[j] ? L[i - 1, j - 1] + 1 : (L[i - 1, j] > L[i, j - 1] ? L[i - 1, j] : L[i, j - 1])
        print L[n, m], n }'
}

ms() { soxi -D "$1" | awk '{printf "%.0f", $1 * 1000}'; }
loudness() { sox "$1" -n remix 1 silence 1 0.01 1% -1 0.01 1% stat 2>&1 | awk '/RMS +amplitude/ {print 20 * log($3) / log(10)}'; }

printf '| voice | set length | longest letter (300) | longest relation (250) | is set to (600) | loudness spread | peak | words recognised | letters clean/20/10 dB | digits clean/20/10 dB |\n'
printf '|---|---|---|---|---|---|---|---|---|---|\n'
pairs="b:d b:e b:p b:t b:v b:z d:e d:p d:t d:v d:z e:p e:t e:v e:z p:t p:v p:z t:v t:z v:z m:n f:s"
verdicts=""
for candidate in $candidates; do
    engine=${candidate%%:*}
    voice=${candidate#*:}
    set=$work/$voice
    # A voice that cannot fit a clip into its gap even at the fastest rate is
    # measured all the same, with that clip's limit lifted, and the row says so.
    cp "$table" "$work/table.tsv"
    unfit=""
    while ! "$clipgen" --table "$work/table.tsv" --out "$set" --engine "$engine" --voice "$voice" \
        2>"$work/clipgen.err"; do
        clip=$(sed -n 's/^clipgen: clip "\([^"]*\)" lasts.*/\1/p' "$work/clipgen.err")
        [ -n "$clip" ] || { cat "$work/clipgen.err" >&2; exit 1; }
        unfit="$unfit $clip"
        awk -F'\t' -v OFS='\t' -v c="$clip" '$1 == c {NF = 3} 1' "$work/table.tsv" >"$work/t" &&
            mv "$work/t" "$work/table.tsv"
    done
    total=0
    for f in "$set"/sounds/*.ogg; do total=$(awk -v t="$total" -v d="$(soxi -D "$f")" 'BEGIN {print t + d}'); done
    longest() {  # NAME... -> "name ms" of the longest
        for n in "$@"; do echo "$n $(ms "$set/sounds/$n.ogg")"; done | sort -k2 -n | tail -1
    }
    letter=$(longest $letters)
    relation=$(longest times minus islessthan equals)
    issetto=$(ms "$set/sounds/issetto.ogg")
    levels=$(for n in $words $letters $digits; do loudness "$set/sounds/$n.ogg"; done | sort -n)
    spread=$(echo "$levels" | awk 'NR == 1 {lo = $1} {hi = $1} END {printf "%.1f dB", hi - lo}')
    peak=$(for f in "$set"/sounds/*.ogg; do sox "$f" -n stat 2>&1 | awk '/Maximum amplitude/ {print $3}'; done | sort -n | tail -1)

    # 16 kHz copies for the recogniser, clean and in two levels of noise.
    for condition in clean 20 10; do mkdir -p "$set/$condition"; done
    for n in $words $letters $digits; do
        # Padded with silence: the recogniser needs some quiet to settle on.
        sox "$set/sounds/$n.ogg" -r 16000 -c 1 -b 16 "$set/clean/$n.wav" pad 0.3 0.3
        d=$(soxi -D "$set/clean/$n.wav")
        for snr in 20 10; do
            # Uniform noise of amplitude a has RMS a/sqrt(3); the speech is at -20 dBFS.
            a=$(awk -v s=$snr 'BEGIN {print 0.1 * 10 ^ (-s / 20) * sqrt(3)}')
            sox -R -n -r 16000 -c 1 -b 16 "$set/noise.wav" synth "$d" whitenoise vol "$a"
            sox -m -v 1 "$set/clean/$n.wav" -v 1 "$set/noise.wav" "$set/$snr/$n.wav"
        done
    done
    got=0 of=0
    while read -r name hyp; do
        read -r g o < <(matched "$(reference "$name")" "$hyp")
        got=$((got + g)) of=$((of + o))
    done < <(recognise "$set/clean" "" $words)
    scores=""
    confusions=""
    for condition in clean 20 10; do
        right=$(recognise "$set/$condition" "$work/letters.gram" $letters | tee -a "$set/letters" |
            awk '$1 == $2' | wc -l)
        dright=$(recognise "$set/$condition" "$work/digits.gram" $digits |
            awk -v w="${digitwords[*]}" 'BEGIN {split(w, d, " ")} d[$1 + 1] == $2' | wc -l)
        scores="$scores/$right"
        dscores="${dscores:-}/$dright"
    done
    printf '| %s %s%s | %.1f s | %s %s ms | %s %s ms | %s ms | %s | %s | %d/%d (%d%%) | %s of 26 | %s of 10 |\n' \
        "$engine" "$voice" "${unfit:+ (cannot fit:$unfit)}" "$total" $letter $relation "$issetto" "$spread" "$peak" \
        "$got" "$of" $((100 * got / of)) "${scores#/}" "${dscores#/}"
    dscores=""
    line="| $engine $voice |"
    for pair in $pairs; do
        x=${pair%:*} y=${pair#*:}
        n=$(awk -v x=$x -v y=$y '($1 == x && $2 == y) || ($1 == y && $2 == x)' "$set/letters" | wc -l)
        [ "$n" -eq 0 ] && line="$line apart |" || line="$line $n/6 |"
    done
    verdicts="$verdicts$line"$'\n'
done
echo
echo "How often the recogniser took one letter of a pair for the other (clean, 20 dB, 10 dB; of 6):"
echo
printf '| voice |'
for pair in $pairs; do printf ' %s |' "$(echo "${pair/:/\/}" | tr a-z A-Z)"; done
printf '\n|---|'
for pair in $pairs; do printf -- '---|'; done
echo
printf '%s' "$verdicts"
