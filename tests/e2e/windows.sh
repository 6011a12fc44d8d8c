#!/usr/bin/env bash
# The Windows game under wine, started as a player starts it from the folder
# they unzipped: its welcome is heard, puzzle 1 is chosen, a digit given to a
# letter is saved in the pad under %LOCALAPPDATA%\Corvale, the clue's
# sentence is heard in the live voice, and the main menu's exit ends the game
# with status 0. Runs under the X server xvfb-run
# started; the keys are real presses to the focused window.
#   windows.sh GAME-FOLDER WINE-RUNNER
source "$(dirname "$0")/lib.sh"
wine=$2
work=$(mktemp -d /tmp/corvale-e2e-XXXXXX)
trap 'stopgame; rm -rf "$work"' EXIT
cp -r "$1" "$work/game"
# Windows's name for the capture: wine shows the Linux root as Z:.
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="Z:${work//\//\\}\\game.raw" LANGUAGE=en
# wine sets LOCALAPPDATA itself, to a folder of its prefix; the game's
# folder there is emptied first, so only this run's pad is found.
appdata=$("$wine" cmd /c echo %LOCALAPPDATA% | tr -d '\r')
saves=$("$wine" winepath.exe -u "$appdata\\Corvale" | tr -d '\r')
[ -n "$saves" ] || fail "wine names no LOCALAPPDATA"
rm -rf "$saves"

(cd "$work/game" && exec "$wine" ./corvale.exe 2>"$work/game.err") &
gamepid=$!
window=$(timeout 60 xdotool search --sync --name '^Corvale$' | head -n 1) ||
    fail "no window appeared: $(cat "$work/game.err")"
xdotool windowfocus --sync "$window"
press() {
    for k in "$@"; do
        xdotool key "$k"
        sleep "${PRESS_GAP:-0.5}"
    done
}
sleep 4
loud "$work/game.raw" || fail "the welcome was not heard: $(cat "$work/game.err")"

# The first Tab reaches the introduction, the next one puzzle 1; Enter
# chooses it and Enter again reads its first clue.
press Tab Tab Return
sleep 2
press Return
sleep 3
# Puzzle 1's answer gives D the digit 1, and D is the first letter of the
# first clue's first word: Q there, then the digit.
PRESS_GAP=2 press q 1
pad="$saves/scratch1.txt"
[ -f "$pad" ] || fail "no pad was saved in $saves"
mapfile -t lines < <(tr -d '\r' <"$pad")
saved=""
for i in 0 2 4 6 8 10 12 14 16 18; do
    [ "${lines[$i]:-}" = D ] && [ "${lines[$((i + 1))]:-}" = 1 ] && saved=1
done
[ -n "$saved" ] || fail "scratch1.txt does not give D the digit 1: ${lines[*]}"

# H says the clue's sentence in the game's live voice, flite built in: the
# game is quiet once the digit has been said, and speaks after the press.
# since OFFSET: what the capture gained after that byte.
since() { tail -c +$(($1 + 1)) "$work/game.raw" >"$work/since.raw"; }
sleep 3
quiet=$(stat -c %s "$work/game.raw")
sleep 2
since "$quiet"
loud "$work/since.raw" && fail "the game was not quiet before H"
before=$(stat -c %s "$work/game.raw")
press h
sleep 5
since "$before"
loud "$work/since.raw" || fail "H was not heard: $(cat "$work/game.err")"

# Escape leaves the puzzle for the main menu; Up reaches its exit item.
press Escape Up Return
status=0
timeout 30 tail --pid="$gamepid" -f /dev/null || fail "the game did not end"
wait "$gamepid" || status=$?
gamepid=""
[ "$status" -eq 0 ] || fail "the game ended with status $status: $(cat "$work/game.err")"
echo "the Windows game was heard, saved the pad and ended with status 0"
