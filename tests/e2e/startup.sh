#!/usr/bin/env bash
# The real game started from another working folder writes its version file
# there, greets the player with the welcome clip, and refuses a second copy
# aloud. Arguments: the game folder and the version text the build gave it.
source "$(dirname "$0")/lib.sh"
setup "$1"
version=$2
[ -n "$version" ] || fail "no version text given"

startgame
sleep 3
printf '%s\r\n' "$version" | cmp -s - "$work/cwd/myversion.txt" ||
    fail "myversion.txt holds: $(od -c "$work/cwd/myversion.txt")"
[ ! -e "$work/game/myversion.txt" ] || fail "myversion.txt was written beside the program"

# A second launch says the game is already running and ends, without
# writing its version file.
mkdir "$work/cwd2"
start=$(date +%s%N)
(cd "$work/cwd2" && SDL_DISKAUDIOFILE="$work/second.raw" timeout 10 "$work/game/corvale") >"$work/second.out" 2>&1 ||
    fail "the second launch did not end by itself cleanly"
took=$((($(date +%s%N) - start) / 1000000))
[ ! -e "$work/cwd2/myversion.txt" ] || fail "the second launch wrote myversion.txt"
grep -qx "corvale: Corvale is already running" "$work/second.out" ||
    fail "the second launch said: $(cat "$work/second.out")"
loud "$work/second.raw" || fail "the second launch was not heard (RMS $(rms "$work/second.raw"))"
kill -0 "$gamepid" || fail "the first game ended"
echo "second launch ended after ${took} ms"

stopgame
welcome=$(awk '/welcome/ {getline; print $0 / 10}' "$work/game/soundchart.txt" | tr -d '\r')
loud "$work/game.raw" || fail "nothing audible in the capture (RMS $(rms "$work/game.raw"))"
# What was heard is the welcome clip: its loudness over the captured stretch
# matches the clip's own over the same length.
len=$(seconds "$work/game.raw")
clip=$(sox "$work/game/sounds/welcome.ogg" -n trim 0 "$len" stat 2>&1 | awk '/RMS +amplitude/ {print $3}')
heard=$(rms "$work/game.raw")
echo "captured $len s, RMS $heard; the welcome clip ($welcome s) over that stretch: RMS $clip"
awk -v a="$heard" -v b="$clip" 'BEGIN {exit !(a > 0.6 * b && a < 1.4 * b)}' ||
    fail "the capture does not sound like the welcome clip"
