#!/usr/bin/env bash
# kill -9 at random moments while digits are being typed, many times over:
# the saved pad is always whole, the old one or one of the new ones, and a
# temporary file a kill leaves behind is gone once the puzzle is loaded again.
#   kill.sh GAME-FOLDER [TRIALS]   (TRIALS defaults to 100)
source "$(dirname "$0")/lib.sh"
setup "$1"
trials=${2:-100}
export SDL_AUDIODRIVER=dummy
unset SDL_DISKAUDIOFILE

pad() {  # pad DIGIT: the file the game writes for A given DIGIT
    printf 'A\r\n%s\r\n' "$1"
    for i in $(seq 9); do printf '\r\n\r\n'; done
}
# The first position of the first clue (the key Q) is A.
printf '1\r\n"*",AB__,C___,DE__\r\nA B times C equals D E\r\n"*",A,E,B,C,D,"*","*","*","*"\r\n' \
    >"$work/cwd/puzz1.txt"
pad 0 >"$work/game/scratch1.txt"
for d in 0 1 2 3 4 5 6 7 8 9; do pad "$d" >"$work/pad$d.txt"; done

RANDOM=${CORVALE_KILL_SEED:-$$}
echo "seed $RANDOM"
leftovers=0 changed=0
for trial in $(seq "$trials"); do
    cp "$work/game/scratch1.txt" "$work/before.txt"
    had_new=no
    [ -e "$work/game/scratch1.txt.new" ] && had_new=yes && leftovers=$((leftovers + 1))
    startgame
    sleep 0.3
    xdotool key --delay 100 --window "$window" Tab Tab Return
    sleep 1.2 # the puzzle loads
    [ $had_new = no ] || [ ! -e "$work/game/scratch1.txt.new" ] ||
        fail "trial $trial: the temporary file of a killed save is still there after loading"
    # Select A, then a burst of digits; the kill lands somewhere in it.
    xdotool key --window "$window" q
    sleep 0.1
    digits=$(for i in $(seq 40); do printf '%s ' $((RANDOM % 10)); done)
    # shellcheck disable=SC2086
    xdotool key --delay 8 --window "$window" $digits 2>/dev/null &
    typing=$!
    sleep "0.$(printf '%03d' $((RANDOM % 500)))"
    kill -9 "$gamepid"
    wait "$gamepid" 2>/dev/null || true
    wait "$typing" 2>/dev/null || true
    gamepid=""
    whole=no
    for d in 0 1 2 3 4 5 6 7 8 9; do
        cmp -s "$work/pad$d.txt" "$work/game/scratch1.txt" && whole=yes && break
    done
    [ $whole = yes ] || fail "trial $trial: the pad is torn: $(od -c "$work/game/scratch1.txt" | head -5)"
    cmp -s "$work/before.txt" "$work/game/scratch1.txt" || changed=$((changed + 1))
done
echo "$trials kills, every pad whole; $changed changed the pad, $leftovers left a temporary file" \
    "(removed at the next load)"
# Kills that all landed before the first digit would prove nothing.
[ "$changed" -ge $((trials / 4)) ] || fail "only $changed of $trials trials typed a digit before the kill"
