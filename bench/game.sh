#!/usr/bin/env bash
# Runs the game benchmark on the real SDL layers under Xvfb, with SDL's disk
# audio driver, and prints its figures. Usage: bench/game.sh [BUILD_DIR]
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

echo "== start-up, idle and pause"
"$work/game/gamebench" idle "$(date +%s%N)"

echo "== the large-print view"
"$work/game/gamebench" view 200

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
