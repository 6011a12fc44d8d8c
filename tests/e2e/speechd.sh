#!/usr/bin/env bash
# speech-dispatcher as the voice. A private server (private_speechd.sh) takes
# what voxlet and the game's H key say. Then, with no server: auto falls back
# on the built-in voice, and CORVALE_SPEECH=speechd ends voxlet and the game
# with a clear message and a non-zero status.
source "$(dirname "$0")/lib.sh"
setup "$1"
cp "$work/game/puzz1.txt" "$work/cwd/"
command -v speech-dispatcher >/dev/null ||
    fail "speech-dispatcher is not installed (scripts/install-deps.sh test installs it)"

source "$(dirname "$0")/../speech/private_speechd.sh"
trap 'stopgame; stopspeechd; rm -rf "$work"' EXIT
startspeechd "$work/speechd" ||
    fail "the private speech-dispatcher did not start: $(cat "$work/speechd/server.log")"

# waitforspeech BYTES: true once the server has written more than BYTES.
waitforspeech() {
    for _ in $(seq 50); do
        [ "$(captured)" -gt "$1" ] && return 0
        sleep 0.1
    done
    return 1
}

# voxlet through the server: its speech reaches the server's output, not
# voxlet's own audio device.
before=$(captured)
SDL_DISKAUDIOFILE=$work/voxlet-server.raw CORVALE_SPEECH=speechd \
    "$work/game/voxlet.real" "100,2,Clue 3" 2>"$work/voxlet.err" ||
    fail "voxlet through speech-dispatcher ended with status $?: $(cat "$work/voxlet.err")"
waitforspeech "$before" || fail "voxlet's text never reached speech-dispatcher"
[ -s "$work/voxlet-server.raw" ] && fail "voxlet also played on its own audio device"

# The game's H sentence through the server, and the game goes on.
CORVALE_SPEECH=speechd startgame
sleep 1
press Tab Tab Return
sleep 2
before=$(captured)
press h
waitforspeech "$before" || fail "the H sentence never reached speech-dispatcher: $(cat "$work/game.err")"
press Escape
sleep 0.5
kill -0 "$gamepid" 2>/dev/null || fail "the game ended after H: $(cat "$work/game.err")"
stopgame

stopspeechd
export SPEECHD_ADDRESS=unix_socket:$work/socket-of-no-server

# auto with no server: the built-in voice speaks.
SDL_DISKAUDIOFILE=$work/voxlet-fallback.raw CORVALE_SPEECH=auto \
    "$work/game/voxlet.real" "100,2,Clue 3" 2>"$work/fallback.err" ||
    fail "voxlet with no server ended with status $?: $(cat "$work/fallback.err")"
[ -s "$work/voxlet-fallback.raw" ] || fail "voxlet with no server said nothing"

# speechd with no server: a clear refusal, not a silent fallback.
SDL_DISKAUDIOFILE=$work/voxlet-refused.raw CORVALE_SPEECH=speechd \
    "$work/game/voxlet.real" "100,2,Clue 3" 2>"$work/refused.err" &&
    fail "voxlet insisting on a missing server ended with status 0"
grep -q "CORVALE_SPEECH=speechd, but speech-dispatcher cannot be reached" "$work/refused.err" ||
    fail "voxlet did not say why it failed: $(cat "$work/refused.err")"
[ -s "$work/voxlet-refused.raw" ] && fail "voxlet insisting on a missing server played something"

status=0
(cd "$work/cwd" && CORVALE_SPEECH=speechd timeout 20 "$work/game/corvale" 2>"$work/refusedgame.err") ||
    status=$?
[ "$status" -ne 0 ] && [ "$status" -ne 124 ] ||
    fail "the game insisting on a missing server ended with status $status"
grep -q "CORVALE_SPEECH=speechd, but speech-dispatcher cannot be reached" "$work/refusedgame.err" ||
    fail "the game did not say why it failed: $(cat "$work/refusedgame.err")"

echo "speech-dispatcher end to end: all checks passed"
