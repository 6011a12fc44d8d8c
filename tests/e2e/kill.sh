#!/usr/bin/env bash
# kill -9 at random moments while digits are being typed, many times over:
# the saved pad is always whole, the old one or one of the new ones, and a
# temporary file a kill leaves behind is gone once the puzzle is loaded again.
# The trials run in a few lanes side by side, since a trial mostly waits on
# the game; each lane has a game folder of its own (a running game locks its
# folder) and an X server of its own.
#   kill.sh GAME-FOLDER [TRIALS]   (TRIALS defaults to 100)
source "$(dirname "$0")/lib.sh"
setup "$1"
trials=${2:-100}
lanes=${CORVALE_KILL_LANES:-4}
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

# lane N COUNT: COUNT trials in a copy of the game and working folders;
# writes "CHANGED LEFTOVERS" to $work/laneN.counts.
lane() {
    local n=$1 count=$2 pads=$work
    work=$work/lane$n
    mkdir -p "$work"
    cp -r "$pads/game" "$work/game"
    cp -r "$pads/cwd" "$work/cwd"
    typing="" xserver=""
    trap '[ -z "$typing" ] || kill "$typing" 2>/dev/null; stopgame; [ -z "$xserver" ] || kill "$xserver"' EXIT
    # An X server of its own: games side by side on one server take the
    # keyboard focus from each other, and a key sent to a window without it
    # can be lost. Xvfb picks a free display and names it.
    Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$work/display" 2>"$work/xvfb.err" &
    xserver=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "lane $n: no X server: $(cat "$work/xvfb.err")"
    export DISPLAY=":$(cat "$work/display")"
    RANDOM=$((seed + n))
    local leftovers=0 changed=0 trial had_new whole digits
    for trial in $(seq "$count"); do
        cp "$work/game/scratch1.txt" "$work/before.txt"
        had_new=no
        [ -e "$work/game/scratch1.txt.new" ] && had_new=yes && leftovers=$((leftovers + 1))
        startgame
        sleep 0.3
        xdotool key --delay 100 --window "$window" Tab Tab Return
        sleep 1.2 # the puzzle loads
        if [ $had_new = yes ]; then
            # Loading removes it; a machine under load may take longer.
            for _ in $(seq 50); do [ -e "$work/game/scratch1.txt.new" ] && sleep 0.2; done
            [ ! -e "$work/game/scratch1.txt.new" ] ||
                fail "lane $n trial $trial: the temporary file of a killed save is still there after loading;" \
                    "the game said: $(cat "$work/game.err")"
        fi
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
        gamepid=""
        # The keys left to type have no window to go to.
        kill "$typing" 2>/dev/null || true
        wait "$typing" 2>/dev/null || true
        typing=""
        whole=no
        for d in 0 1 2 3 4 5 6 7 8 9; do
            cmp -s "$pads/pad$d.txt" "$work/game/scratch1.txt" && whole=yes && break
        done
        [ $whole = yes ] ||
            fail "lane $n trial $trial: the pad is torn: $(od -c "$work/game/scratch1.txt" | head -5)"
        cmp -s "$work/before.txt" "$work/game/scratch1.txt" || changed=$((changed + 1))
    done
    echo "$changed $leftovers" >"$pads/lane$n.counts"
}

seed=${CORVALE_KILL_SEED:-$$}
echo "seed $seed, $lanes lanes"
pids=()
for n in $(seq "$lanes"); do
    lane "$n" $((trials / lanes + (n <= trials % lanes ? 1 : 0))) &
    pids+=($!)
done
failed=0
for pid in "${pids[@]}"; do wait "$pid" || failed=1; done
[ $failed = 0 ] || fail "a lane failed (seed $seed)"
changed=0 leftovers=0
for n in $(seq "$lanes"); do
    read -r c l <"$work/lane$n.counts"
    changed=$((changed + c)) leftovers=$((leftovers + l))
done
echo "$trials kills, every pad whole; $changed changed the pad, $leftovers left a temporary file" \
    "(removed at the next load)"
# Kills that all landed before the first digit would prove nothing.
[ "$changed" -ge $((trials / 4)) ] || fail "only $changed of $trials trials typed a digit before the kill"
