#!/usr/bin/env bash
# How the clue reading's clips fit its timeline, for every clue of the
# shipped puzzles: each clip starts at its tick on the schedule, and the quiet
# between the end of its voice and the start of the next clip's voice is
# printed (negative: the two are heard over each other). Figures only.
#   bench/cluefit.sh [GAME_FOLDER]     (default build/game)
set -euo pipefail
game=${1:-build/game}

# Where the voice of each clip begins and ends, in ms: the first and last
# sample above 200 (-44 dB), the level below which clipgen trims.
declare -A lead end
for clip in "$game"/sounds/*.ogg; do
    name=$(basename "$clip" .ogg)
    read -r lead[$name] end[$name] < <(sox "$clip" -t raw -e signed -b 16 -c 1 - remix 1 |
        od -An -v -td2 -w2 |
        awk '{a = $1 < 0 ? -$1 : $1; if (a > 200) { if (!f) f = NR; l = NR }}
             END {printf "%d %d\n", f * 1000 / 22050, l * 1000 / 22050}')
done

overlaps=0
transitions=0
least=""
for puzzle in "$game"/puzz*.txt; do
    mapfile -t field < <(tr -d '\r"' <"$puzzle")
    for ((r = 0; r < field[0]; r++)); do
        op=${field[$((5 * r + 1))]}
        clips=() at=() delay=0
        word() {
            local w=$1 i
            for ((i = 0; i < ${#w}; i++)); do
                [ "${w:i:1}" = _ ] && continue
                # Delay 0 fires on the first tick step, as delay 1 does.
                clips+=("$(tr A-Z a-z <<<"${w:i:1}")") at+=("$((delay > 0 ? delay : 1))")
                delay=$((delay + 7))
            done
        }
        word "${field[$((5 * r + 2))]}"
        delay=$((delay + 5))
        case $op in '*') clips+=(times) at+=("$delay") ;; '-') clips+=(minus) at+=("$delay") ;;
            '<') clips+=(islessthan) at+=("$delay") ;; esac
        delay=$((delay + 5))
        word "${field[$((5 * r + 3))]}"
        delay=$((delay + 5))
        case $op in '*' | '-') clips+=(equals) at+=("$delay") ;; esac
        delay=$((delay + 5))
        word "${field[$((5 * r + 4))]}"
        line=""
        for ((k = 0; k + 1 < ${#clips[@]}; k++)); do
            a=${clips[k]} b=${clips[k + 1]}
            quiet=$((at[k + 1] * 50 + lead[$b] - at[k] * 50 - end[$a]))
            line="$line $a |$quiet|"
            transitions=$((transitions + 1))
            [ "$quiet" -lt 0 ] && overlaps=$((overlaps + 1))
            least="$least$quiet $a>$b"$'\n'
        done
        echo "$(basename "$puzzle") clue $((r + 1)):$line ${clips[-1]}"
    done
done
echo "$overlaps of $transitions transitions overlap; the least quiet (ms):" \
    "$(grep . <<<"$least" | sort -n | head -n 4 | paste -sd' ')"
