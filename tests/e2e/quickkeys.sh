#!/usr/bin/env bash
# Quick keys through the real window: four Tabs 0.3 s apart, then Q and 5.
# Each Tab's clue reading gives way to the next key, so none of the keys is
# lost: the letter Q reads is given the digit 5 and saved.
source "$(dirname "$0")/lib.sh"
setup "$1"
cp "$work/game/puzz1.txt" "$work/cwd/"

# The puzzle's fields, one per line, without line ends or quotes.
mapfile -t field < <(tr -d '\r"' < "$work/cwd/puzz1.txt")
count=${field[0]}
clue=$((4 % count + 1))
word=${field[$((5 * (clue - 1) + 2))]}
symbol=${word:0:1}

startgame
sleep 1
press Tab Tab Return   # puzzle 1
sleep 1.5
press Tab Tab Tab Tab q 5
sleep 2

mapfile -t pad < <(tr -d '\r' < "$work/game/scratch1.txt" 2>/dev/null)
[ "${pad[0]:-}" = "$symbol" ] && [ "${pad[1]:-}" = 5 ] ||
    fail "scratch1.txt does not give $symbol (clue $clue) the digit 5: ${pad[*]:-no file}"
kill -0 "$gamepid" || fail "the game ended early: $(cat "$work/game.err")"
echo "four quick Tabs, Q and 5: $symbol=5 saved"
