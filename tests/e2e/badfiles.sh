#!/usr/bin/env bash
# The real game over broken files and a broken game folder, one case a row:
# each ends with a non-zero exit status and a report naming what failed, and
# leaves the saved pad as it was. An unreadable pad is the exception: it is
# set aside and the game goes on. A failure met once sound is open is said
# aloud before its box comes up: the capture of SDL's disk driver holds it.
source "$(dirname "$0")/lib.sh"
setup "$1"
pristine=$work/pristine
cp -r "$work/game" "$pristine"

pad=$'A\r\n1\r\n'
for i in $(seq 9); do pad+=$'\r\n\r\n'; done
printf '%s' "$pad" >"$work/pad.txt"

# fresh: the game folder and working folder as built, with a saved pad.
fresh() {
    rm -rf "$work/game" "$work/cwd"
    cp -r "$pristine" "$work/game"
    mkdir "$work/cwd"
    cp "$work/game"/puzz?.txt "$work/cwd/"
    cp "$work/pad.txt" "$work/game/scratch1.txt"
}

captured() {
    stat -c %s "$work/game.raw" 2>/dev/null || echo 0
}

# run KEYS...: starts the game, presses the keys, dismisses the report's box
# if one comes up, and sets $status to the exit status. $beforelast is how
# much the capture held just before the last key, $atbox how much when the
# box came up. With $stopwhen set to a file, a game that goes on is stopped a
# second after that file appears, rather than after twenty.
run() {
    rm -f "$work/game.raw"
    (cd "$work/cwd" && exec "$work/game/corvale" 2>"$work/game.err") &
    gamepid=$!
    local pressed=no box
    beforelast=0 atbox=""
    for _ in $(seq 200); do
        kill -0 "$gamepid" 2>/dev/null || break
        # xdotool does not find the box by its name; xwininfo lists it.
        box=$(xwininfo -root -tree 2>/dev/null | awk '/"Corvale has stopped"/ {print $1; exit}') || true
        if [ -n "$box" ]; then
            [ -n "$atbox" ] || atbox=$(captured)
            xdotool key --window "$box" Return 2>/dev/null || true
        elif [ $pressed = no ] &&
            window=$(xdotool search --all --pid "$gamepid" --name '^Corvale$' 2>/dev/null | head -n 1); then
            sleep 0.5
            if [ $# -gt 0 ]; then
                press "${@:1:$#-1}"
                beforelast=$(captured)
                press "${@: -1}"
            fi
            pressed=yes
        elif [ -n "${stopwhen:-}" ] && [ -e "$stopwhen" ]; then
            sleep 1
            break
        fi
        sleep 0.1
    done
    if kill -0 "$gamepid" 2>/dev/null; then
        kill "$gamepid"
        wait "$gamepid" 2>/dev/null || true
        status=running
    else
        status=0
        wait "$gamepid" || status=$?
    fi
    gamepid=""
}

# expect NAME STATUS REPORT: STATUS "fails" is any non-zero exit, "running"
# a game that went on; REPORT a text standard error must hold.
expect() {
    [ "$2" = fails ] && [ "$status" != running ] && [ "$status" -ne 0 ] ||
        [ "$2" = "$status" ] || fail "$1: exit status $status, wanted $2; said: $(cat "$work/game.err")"
    grep -qF -- "$3" "$work/game.err" || fail "$1: the report does not say \"$3\": $(cat "$work/game.err")"
    cmp -s "$work/pad.txt" "$work/game/scratch1.txt" || [ "$1" = "unreadable pad" ] ||
        fail "$1: the saved pad changed"
    echo "$1: status $status: $(grep -a -m1 '^corvale:' "$work/game.err" | cut -c1-160)"
}

# spoken NAME: the capture between the last key (and a fifth of a second for
# what the mixer still held) and the box is not silent: with the game's own
# sounds stopped, that is the report being said.
spoken() {
    [ -n "$atbox" ] || fail "$1: no box came up"
    local from=$((beforelast + 22050 * 4 / 5))
    [ "$atbox" -gt "$from" ] || fail "$1: the box came up with nothing said before it"
    dd if="$work/game.raw" of="$work/said.raw" iflag=skip_bytes,count_bytes skip=$from \
        count=$((atbox - from)) status=none
    loud "$work/said.raw" || fail "$1: nothing was said before the box (RMS $(rms "$work/said.raw"))"
    echo "$1: said for $(seconds "$work/said.raw") s before the box"
}

fresh
printf '1\r\n"*"\r\nA\xff__\r\n' >"$work/cwd/puzz1.txt"
run Tab Tab Return
expect "puzzle with a symbol that has no clip" fails "puzz1.txt:3:"
spoken "puzzle with a symbol that has no clip"

fresh
{ printf '1\r\n"*",A___,B___,C___\r\n'; head -c 2000 /dev/zero | tr '\0' a; printf '\r\n'; } >"$work/cwd/puzz1.txt"
run Tab Tab Return
expect "puzzle with a huge sentence" fails "puzz1.txt:3: the sentence of row 1 is 2000 bytes long"

fresh
rm "$work/cwd/puzz1.txt" "$work/game/puzz1.txt"
run Tab Tab Return
expect "missing puzzle" fails "puzz1.txt"

fresh
printf 'A\r\n12\r\n' >"$work/game/scratch1.txt"
cp "$work/game/scratch1.txt" "$work/bad.txt"
stopwhen=$work/game/scratch1.txt.unreadable run Tab Tab Return
expect "unreadable pad" running "scratch1.txt:2:"
cmp -s "$work/bad.txt" "$work/game/scratch1.txt.unreadable" || fail "the unreadable pad was not kept aside whole"

fresh
printf '\\sounds\\welcome.wav\r\n1e300\r\n' >"$work/game/soundchart.txt"
run
expect "chart with a huge length" fails "soundchart.txt:2:"
spoken "chart with a huge length"

fresh
rm "$work/game/sounds/welcome.ogg"
run
expect "missing clip" fails "welcome.wav"
spoken "missing clip"

fresh
rm "$work/game/voxlet"
run Tab Tab Return Return
expect "missing voxlet" fails "voxlet"

fresh
chmod -x "$work/game/voxlet"
run Tab Tab Return Return
expect "voxlet that cannot be run" fails "voxlet"
