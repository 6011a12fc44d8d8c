#!/usr/bin/env bash
# How the real game ends when it cannot run: each case of the table sets up
# one failure, starts the game and checks its exit status and what it said on
# standard error. Only a lock held by another running copy ends with status
# 0; every failure is named and ends non-zero.
#   failures.sh GAMEDIR
source "$(dirname "$0")/lib.sh"
work=$(mktemp -d /tmp/corvale-failures-XXXXXX)
holder=""
trap '[ -z "$holder" ] || kill "$holder" 2>/dev/null; rm -rf "$work"' EXIT

# A game folder of its own, and an installed-looking copy: the same programs
# with nothing beside them, so the installed layout's folders are used.
cp -r "$1" "$work/game"
rm -f "$work/game/corvale.lock" "$work/game"/scratch*.txt
mkdir -p "$work/bare/bin" "$work/home" "$work/cwd"
cp "$work/game/corvale" "$work/bare/bin/"
export HOME=$work/home SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy ASAN_OPTIONS=detect_leaks=0
unset XDG_STATE_HOME XDG_RUNTIME_DIR

# run NAME STATUS PATTERN [VAR=VALUE | -u VAR]... PROGRAM [ARG...]: PATTERN is
# an extended regular expression that standard error, its lines joined by
# spaces, must match; "" means it must say nothing at all.
failed=0
run() {
    local name=$1 want=$2 pattern=$3
    shift 3
    local got=0
    (cd "$work/cwd" && timeout 20 env "$@") >"$work/out" 2>"$work/err" || got=$?
    local said  # without a display library's own note about the runtime folder
    said=$(grep -v "XDG_RUNTIME_DIR is invalid" "$work/err" | tr '\n' ' ' | sed 's/ $//' || true)
    if [ "$got" != "$want" ]; then
        echo "FAIL $name: status $got, expected $want; said: $said" >&2
        failed=1
    elif { [ -z "$pattern" ] && [ -n "$said" ]; } || ! grep -Eq -- "${pattern:-^}" <<<"$said"; then
        echo "FAIL $name: status $got; said \"$said\", expected /$pattern/" >&2
        failed=1
    else
        echo "ok   $name: status $got: ${said:-(nothing)}"
    fi
}

# Another copy holds the lock: the second start says so and ends, writing
# nothing. The holder becomes the sleep itself, so ending it releases the lock.
(exec 9>"$work/game/corvale.lock" && flock 9 && exec sleep 60) &
holder=$!
for _ in $(seq 50); do flock -n "$work/game/corvale.lock" true || break; sleep 0.1; done
run "lock held by another copy" 0 "^corvale: Corvale is already running$" "$work/game/corvale"
[ ! -e "$work/cwd/myversion.txt" ] || { echo "FAIL the second start wrote myversion.txt" >&2; failed=1; }
kill "$holder"
wait "$holder" 2>/dev/null || true
holder=""

# The lock file cannot be opened: a folder stands in its place.
rm -f "$work/game/corvale.lock"
mkdir "$work/game/corvale.lock"
run "lock file unopenable" 1 "cannot open the lock file $work/game/corvale.lock: Is a directory" \
    "$work/game/corvale"
rmdir "$work/game/corvale.lock"

# Locks the game cannot trust are named, never taken for another copy.
ln -s "$work/file" "$work/game/corvale.lock"
run "lock is a symbolic link" 1 "cannot trust the lock file $work/game/corvale.lock: it is a symbolic link" \
    "$work/game/corvale"
rm "$work/game/corvale.lock"
chmod 777 "$work/game"
run "lock folder writable by every user" 1 \
    "cannot trust the lock file $work/game/corvale.lock: its folder may be written by every user" \
    "$work/game/corvale"
chmod 755 "$work/game"
if [ "$(id -u)" = 0 ]; then
    # Another user's lock, as an unprivileged player finds it: the test runs
    # the game as root, so the lock is given to nobody.
    install -m 666 /dev/null "$work/game/corvale.lock"
    chown nobody "$work/game/corvale.lock"
    run "lock of another user" 1 \
        "cannot trust the lock file $work/game/corvale.lock: it belongs to another user" \
        "$work/game/corvale"
    rm "$work/game/corvale.lock"
else
    echo "SKIPPED: lock of another user (needs root to give the lock away)"
fi

run "no sound device" 1 \
    "cannot open the sound device: Audio target 'nosuch' not available.*Unable to open the sound device" \
    SDL_AUDIODRIVER=nosuch "$work/game/corvale"

run "no display" 1 "no display: Corvale needs a desktop session" \
    -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$work/game/corvale"

run "unknown argument" 2 'unknown argument "--fullscreen"' "$work/game/corvale" --fullscreen

touch "$work/file"
run "save folder cannot be made" 1 "cannot create the folder $work/file/corvale: Not a directory" \
    XDG_STATE_HOME="$work/file" "$work/bare/bin/corvale"

run "data folder missing" 1 "cannot open $work/bare/share/corvale/soundchart.txt" \
    XDG_RUNTIME_DIR="$work/cwd" "$work/bare/bin/corvale"

exit $failed
