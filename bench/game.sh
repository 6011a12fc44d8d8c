#!/usr/bin/env bash
# Runs the game benchmark on the real SDL layers under Xvfb, with SDL's disk
# audio driver, and prints its figures. Usage: bench/game.sh [BUILD_DIR] [SECTION]
# where SECTION (all of them when left out) is one of: idle view keys ctrl clue.
set -euo pipefail
# Under a private X server: the script runs itself again inside xvfb-run.
if [ -z "${CORVALE_BENCH_X:-}" ]; then
    CORVALE_BENCH_X=1 exec xvfb-run -a "$0" "$@"
fi
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d /tmp/corvale-bench-XXXXXX)
trap 'rm -rf "$work"' EXIT
cp -r "$build/game" "$work/game"
cp "$build/bench/gamebench" "$work/game/"
cp "$work/game/puzz1.txt" "$work/"
cd "$work"
export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/out.raw"
only=${2:-}
wanted() { [ -z "$only" ] || [ "$only" = "$1" ]; }

if wanted idle; then
    echo "== start-up, idle and pause"
    "$work/game/gamebench" idle "$(date +%s%N)"
fi

if wanted view; then
    echo "== the large-print view"
    "$work/game/gamebench" view 200
fi

if wanted keys; then
    echo "== key to sound (xdotool key presses)"
    n=100
    "$work/game/gamebench" keys $n &
    pid=$!
    win=$(xdotool search --sync --all --pid $pid --name '^Corvale$' | head -n 1)
    sleep 1
    xdotool key --window "$win" Tab Tab Return   # puzzle 1
    sleep 1.5
    for _ in $(seq $n); do xdotool key --window "$win" q; sleep 0.13; done
    # A digit that is wrong for every symbol of puzzle 1 keeps the game going.
    for _ in $(seq $n); do xdotool key --window "$win" 8; sleep 0.13; done
    wait $pid
fi

if wanted ctrl; then
    echo "== Ctrl to silence: the H sentence cut 0.6 s in (the game's own voice)"
    n=20
    CORVALE_SPEECH=espeak "$work/game/gamebench" ctrl $n >"$work/ended" &
    pid=$!
    win=$(xdotool search --sync --all --pid $pid --name '^Corvale$' | head -n 1)
    sleep 1
    xdotool key --window "$win" Tab Tab Return   # puzzle 1
    sleep 1.5
    : >"$work/pressed"
    for _ in $(seq $n); do
        xdotool key --window "$win" h
        sleep 0.8   # H pauses 0.2 s, then speaks for well over a second
        date +%s%N >>"$work/pressed"
        xdotool key --window "$win" ctrl
        sleep 0.5
    done
    wait $pid
    # From the moment xdotool was started to the moment Speak returned, the mixer
    # channel halted; the audio device's buffer (about 23 ms) still plays out.
    paste "$work/pressed" <(awk '{print $2}' "$work/ended") | awk '{print ($2 - $1) / 1e6}' | sort -n |
        awk '{ms[NR] = $1} END {
            printf "Ctrl press to Speak returned       n=%d min %.1f  median %.1f  max %.1f ms\n",
            NR, ms[1], ms[int((NR + 1) / 2)], ms[NR] }'
fi

if wanted clue; then
    echo "== a clue asked for: Tab or Enter to its number heard and to its row (the built-in voice)"
    n=16
    mkdir "$work/numbers"
    CORVALE_SPEECH=espeak "$work/game/gamebench" clue $n "$work/numbers" &
    pid=$!
    win=$(xdotool search --sync --all --pid $pid --name '^Corvale$' | head -n 1)
    sleep 1
    xdotool key --window "$win" Tab Tab Return   # puzzle 1
    sleep 2
    # Far enough apart that each reading, number and row, is over before the next key.
    for i in $(seq $n); do
        if [ $((i % 2)) = 1 ]; then xdotool key --window "$win" Tab; else xdotool key --window "$win" Return; fi
        sleep 5
    done
    wait $pid
fi
