#!/usr/bin/env bash
# A whole game through the real window: from the menu choose a puzzle, hear
# its first clue, give every symbol its digit from the answer key, win, find
# the main menu current again and leave through its exit item.
#   play.sh GAME-FOLDER [LEVEL]
# LEVEL is 1 (the default), or 5 for a new easy puzzle: the game makes it,
# and the test reads the answer from the file the game wrote.
source "$(dirname "$0")/lib.sh"
setup "$1"
level=${2:-1}
[ "$level" -lt 5 ] && cp "$work/game/puzz$level.txt" "$work/cwd/"

startgame
sleep 1
# The first Tab reaches the introduction, the next ones the puzzles.
for ((i = 0; i <= level; i++)); do press Tab; done
press Return
sleep 1.5
if [ "$level" -lt 5 ]; then puzzle=$work/cwd/puzz$level.txt; else puzzle=$work/game/puzz$level.txt; fi
[ -f "$puzzle" ] || fail "there is no $puzzle"
# The puzzle's fields, one per line, without line ends or quotes.
mapfile -t field < <(tr -d '\r"' < "$puzzle")
count=${field[0]}
keyline=$((5 * count + 1))
rowkeys=(qwer asdf zxcv)
press Return
sleep 4
voice=$(ls "$work"/voxlet-*.raw 2>/dev/null | head -n 1)
[ -n "$voice" ] || fail "no clue number was spoken"
loud "$voice" || fail "the clue number was silent"
# The voxlet that spoke has ended and nothing of it is left behind.
zombies=$(ps --ppid "$gamepid" -o stat= | grep -c '^Z' || true)
[ "$zombies" -eq 0 ] || fail "$zombies finished voxlet processes were left as zombies"

clue=1
for d in 0 1 2 3 4 5 6 7 8 9; do
    symbol=${field[$((keyline + d))]}
    [ "$symbol" = "*" ] && continue
    # The first clue word that holds the symbol, and the key for its position.
    found=""
    for ((r = 1; r <= count; r++)); do
        for w in 0 1 2; do
            word=${field[$((5 * (r - 1) + 2 + w))]}
            rest=${word%%"$symbol"*}
            if [ "$rest" != "$word" ]; then
                found="$r ${rowkeys[$w]:${#rest}:1}"
                break
            fi
        done
        [ -n "$found" ] && break
    done
    [ -n "$found" ] || fail "symbol $symbol stands in no clue"
    read -r row letter <<<"$found"
    while [ "$clue" -ne "$row" ]; do
        PRESS_GAP=0.8 press Tab
        clue=$((clue % count + 1))
    done
    press "$letter"
    PRESS_GAP=1.6 press "$d"
done
sleep 4   # the win, its pause and the main menu clip

# The pad on disk is the solved one.
mapfile -t pad < <(tr -d '\r' < "$work/game/scratch$level.txt")
[ "${#pad[@]}" -eq 20 ] || fail "scratch$level.txt has ${#pad[@]} lines"
for d in 0 1 2 3 4 5 6 7 8 9; do
    symbol=${field[$((keyline + d))]}
    [ "$symbol" = "*" ] && continue
    ok=""
    for i in 0 2 4 6 8 10 12 14 16 18; do
        [ "${pad[$i]}" = "$symbol" ] && [ "${pad[$((i + 1))]}" = "$d" ] && ok=1
    done
    [ -n "$ok" ] || fail "scratch$level.txt does not give $symbol the digit $d: ${pad[*]}"
done
# A new puzzle, once won, is forgotten: the next choice makes a fresh one.
[ "$level" -ge 5 ] && [ -f "$puzzle" ] && fail "the won $puzzle is still kept"

# The main menu is current: Up reaches its last item, exit, and Enter ends the game.
kill -0 "$gamepid" || fail "the game ended early: $(cat "$work/game.err")"
press Up Return
for _ in $(seq 50); do kill -0 "$gamepid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$gamepid" 2>/dev/null && fail "the exit item did not end the game"
wait "$gamepid" || fail "the game exited with status $?"
gamepid=""
if grep -v CRITICAL "$work/game.err" | grep -q .; then fail "the game reported: $(cat "$work/game.err")"; fi
loud "$work/game.raw" || fail "the game was silent"
echo "won puzzle $level: pad ${pad[*]}; captured $(seconds "$work/game.raw") s"
