#!/usr/bin/env bash
# speech-dispatcher as the voice. A private server (private_speechd.sh) takes
# what voxlet and the game's H key say; stopped mid-game, it is given up and
# the built-in voice speaks. Then, with no server: auto falls back on the
# built-in voice, and CORVALE_SPEECH=speechd ends voxlet and the game with a
# clear message and a non-zero status. Last, a server that accepts and never
# answers: every program ends or goes on within its bound.
source "$(dirname "$0")/lib.sh"
setup "$1"
cp "$work/game/puzz1.txt" "$work/cwd/"
command -v speech-dispatcher >/dev/null ||
    fail "speech-dispatcher is not installed (scripts/install-deps.sh test installs it)"

source "$(dirname "$0")/../speech/private_speechd.sh"
hungpid=""
trap 'stopgame; [ -z "$hungpid" ] || kill "$hungpid" 2>/dev/null || true
    [ -z "$speechdpid" ] || kill -CONT "$speechdpid" 2>/dev/null || true
    stopspeechd; rm -rf "$work"' EXIT
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

# inpuzzle: from the game's menu into puzzle 1, where H speaks the sentence
# through the live voice.
inpuzzle() {
    sleep 1
    press Tab Tab Return
    sleep 2
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
inpuzzle
before=$(captured)
press h
waitforspeech "$before" || fail "the H sentence never reached speech-dispatcher: $(cat "$work/game.err")"
press Escape
sleep 0.5
kill -0 "$gamepid" 2>/dev/null || fail "the game ended after H: $(cat "$work/game.err")"
stopgame

# ms: the time now in milliseconds.
ms() { echo $(($(date +%s%N) / 1000000)); }

# endswithin MS: true when the game ends within MS milliseconds; its status
# is then in $ended.
endswithin() {
    local deadline=$(($(ms) + $1))
    while [ "$(ms)" -lt "$deadline" ]; do
        if ! kill -0 "$gamepid" 2>/dev/null; then
            ended=0
            wait "$gamepid" || ended=$?
            gamepid=""
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# The server stops answering mid-game (as a hung server does): H is given up
# within its bound and spoken by the built-in voice, and SIGTERM still ends
# the game at once.
CORVALE_SPEECH=auto startgame
inpuzzle
kill -STOP "$speechdpid"
startraw=$(stat -c %s "$work/game.raw")
press h
sleep 3
grep -q "speech-dispatcher did not take the text" "$work/game.err" ||
    fail "H to a stopped server was not given up: $(cat "$work/game.err")"
[ "$(stat -c %s "$work/game.raw")" -gt "$startraw" ] || fail "nothing was heard after the server stopped"
kill -TERM "$gamepid"
endswithin 1000 || fail "SIGTERM did not end the game within a second with the server stopped"
kill -CONT "$speechdpid"

# SIGTERM during a long H sentence spoken by the server: the game cancels
# the sentence and then ends, within a second. (This server writes its
# speech out faster than it is heard, so what it would have spoken on is not
# measured here.)
sentence="A B times C equals D E, and this sentence goes on for a good while so the voice speaks long"
printf '1\r\n"*"\r\nAB__\r\nC___\r\nDE__\r\n%s\r\n"*"\r\nA\r\nE\r\nB\r\nC\r\nD\r\n"*"\r\n"*"\r\n"*"\r\n"*"\r\n' \
    "$sentence" >"$work/cwd/puzz1.txt"
CORVALE_SPEECH=speechd startgame
inpuzzle
before=$(captured)
press h
waitforspeech "$before" || fail "the long H sentence never reached speech-dispatcher"
kill -TERM "$gamepid"
endswithin 1000 || fail "SIGTERM during H did not end the game within a second"

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

# A server that accepts and never answers.
hung=$work/hung.socket
perl -MIO::Socket::UNIX -e '
    my $s = IO::Socket::UNIX->new(Type => SOCK_STREAM(), Local => $ARGV[0], Listen => 16) or die "$!";
    my @held;
    while (my $c = $s->accept) { push @held, $c }' "$hung" &
hungpid=$!
for _ in $(seq 50); do [ -S "$hung" ] && break; sleep 0.1; done
export SPEECHD_ADDRESS=unix_socket:$hung

# Each program on its own: CORVALE_SPEECH, the status it must end with, the
# most milliseconds it may take, and what it must say.
while read -r mode want most said program; do
    start=$(ms)
    status=0
    args=("100,2,Clue 3")
    [ "$program" = corvale ] && args=()
    (cd "$work/cwd" && CORVALE_SPEECH=$mode SDL_DISKAUDIOFILE=$work/hung-$mode.raw \
        timeout 20 "$work/game/$program" "${args[@]}" 2>"$work/hung.err") || status=$?
    took=$(($(ms) - start))
    if [ "$want" = 0 ]; then [ "$status" = 0 ]; else [ "$status" != 0 ] && [ "$status" != 124 ]; fi ||
        fail "$program ($mode) with a hung server ended with status $status: $(cat "$work/hung.err")"
    [ "$took" -le "$most" ] || fail "$program ($mode) with a hung server took $took ms"
    grep -q "$said" "$work/hung.err" || fail "$program ($mode) said: $(cat "$work/hung.err")"
    echo "hung server, $program ($mode): status $status after $took ms"
done <<TABLE
auto 0 6000 did.not.answer.within.a.second voxlet.real
speechd 1 3000 did.not.answer.within.a.second voxlet.real
speechd 1 4000 did.not.answer.within.a.second corvale
TABLE
[ -s "$work/hung-auto.raw" ] || fail "voxlet said nothing with a hung server under auto"

# The game under auto: its window comes, H is spoken by the built-in voice,
# and SIGTERM ends it; SIGTERM during the wait for the server at start-up
# ends it too.
start=$(ms)
CORVALE_SPEECH=auto startgame
took=$(($(ms) - start))
[ "$took" -le 5000 ] || fail "the window took $took ms with a hung server"
inpuzzle
startraw=$(stat -c %s "$work/game.raw")
press h
sleep 1.5
[ "$(stat -c %s "$work/game.raw")" -gt "$startraw" ] || fail "H was not heard with a hung server"
[ "$(grep -c "did not answer within a second" "$work/game.err")" -ge 1 ] ||
    fail "the game did not say the server was given up: $(cat "$work/game.err")"
kill -TERM "$gamepid"
endswithin 1000 || fail "SIGTERM did not end the game within a second with a hung server"
(cd "$work/cwd" && exec env --default-signal=INT CORVALE_SPEECH=auto "$work/game/corvale" 2>/dev/null) &
gamepid=$!
sleep 0.4
kill -TERM "$gamepid"
endswithin 1000 || fail "SIGTERM at start-up did not end the game within a second"

echo "speech-dispatcher end to end: all checks passed"
