#!/usr/bin/env bash
# SIGTERM and SIGINT end the real game within a second whatever it is doing:
# waiting in the menu, pausing while a puzzle loads, speaking a clue's
# sentence, or showing the message box of a failure. No process of its own
# stays behind and the saved pad is as it was.
source "$(dirname "$0")/lib.sh"
setup "$1"

pad=$'A\r\n1\r\n'
for i in $(seq 9); do pad+=$'\r\n\r\n'; done
sentence="A B times C equals D E, and this sentence goes on for a good while so the voice speaks long"
printf '1\r\n"*"\r\nAB__\r\nC___\r\nDE__\r\n%s\r\n"*"\r\nA\r\nE\r\nB\r\nC\r\nD\r\n"*"\r\n"*"\r\n"*"\r\n"*"\r\n' \
    "$sentence" >"$work/cwd/puzz1.txt"
printf '1\r\n"*"\r\nA\xff__\r\n' >"$work/cwd/puzz2.txt"

# stopwithin SIGNAL STATE: sends the signal and waits up to a second for the
# game and every child it had to be gone.
stopwithin() {
    local children start took
    children=$(pgrep -P "$gamepid" | tr '\n' ' ' || true)
    start=$(date +%s%N)
    kill -"$1" "$gamepid"
    while kill -0 "$gamepid" 2>/dev/null && [ $(($(date +%s%N) - start)) -lt 1000000000 ]; do
        sleep 0.02
    done
    took=$((($(date +%s%N) - start) / 1000000))
    kill -0 "$gamepid" 2>/dev/null && fail "$2: the game still runs ${took} ms after SIG$1"
    wait "$gamepid" 2>/dev/null || true
    # voxlet speaks on by itself and ends; any other child must be gone (a
    # zombie waiting to be reaped is gone).
    alive() {
        local state
        state=$(ps -o stat=,comm= -p "$1" 2>/dev/null) || return 1
        case "$state" in Z* | *voxlet*) return 1 ;; esac
    }
    for c in $children; do
        for _ in $(seq 20); do alive "$c" || break; sleep 0.05; done
        alive "$c" && fail "$2: child $c ($(ps -o stat=,comm= -p "$c")) outlived the game"
    done
    gamepid=""
    cmp -s "$work/pad.txt" "$work/game/scratch1.txt" || fail "$2: the pad changed"
    echo "$2: ended ${took} ms after SIG$1"
}

for sig in TERM INT; do
    printf '%s' "$pad" >"$work/pad.txt"
    cp "$work/pad.txt" "$work/game/scratch1.txt"

    startgame
    sleep 1
    stopwithin "$sig" "menu"

    startgame
    press Tab Tab
    PRESS_GAP=0.2 press Return
    stopwithin "$sig" "loading pause"

    startgame
    press Tab Tab Return
    sleep 1.5
    PRESS_GAP=1.5 press h
    stopwithin "$sig" "speaking the sentence"

    startgame
    press Tab Tab Tab Return
    # The report is said aloud before its box comes up.
    for _ in $(seq 200); do grep -q "puzz2.txt:3:" "$work/game.err" && break; sleep 0.1; done
    sleep 0.5
    grep -q "puzz2.txt:3:" "$work/game.err" || fail "no report of the bad puzzle: $(cat "$work/game.err")"
    pgrep -P "$gamepid" >/dev/null || fail "no message box child while the report is shown"
    stopwithin "$sig" "message box"
done
