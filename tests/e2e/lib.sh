# Shared steps of the end-to-end tests: a private copy of the game folder, the
# real game under the X server xvfb-run started, SDL's disk audio driver to
# capture what it plays, and xdotool for real key presses.
set -euo pipefail

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# setup GAMEDIR: copies the built game folder into a fresh temporary folder.
# Every spawned voxlet gets a capture file of its own, so its speech does not
# write into the game's, and its command tail is added to voxlet.args.
setup() {
    work=$(mktemp -d /tmp/corvale-e2e-XXXXXX)
    trap 'stopgame; rm -rf "$work"' EXIT
    cp -r "$1" "$work/game"
    mv "$work/game/voxlet" "$work/game/voxlet.real"
    cat > "$work/game/voxlet" <<WRAP
#!/usr/bin/env bash
export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/voxlet-\$\$.raw
printf '%s\\n' "\$*" >> "$work/voxlet.args"
exec "$work/game/voxlet.real" "\$@"
WRAP
    chmod +x "$work/game/voxlet"
    mkdir -p "$work/cwd"
    export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE="$work/game.raw"
    # The built-in voice, whose speech the disk driver captures, even where a
    # speech server runs.
    export CORVALE_SPEECH=espeak
    # The player's settings and the language of whoever runs the tests stay
    # out of them: the game plays English.
    export XDG_CONFIG_HOME="$work/config" LANGUAGE=en
    # Leak reports of the X and audio libraries are not ours to fix.
    export ASAN_OPTIONS=detect_leaks=0
}

gamepid=""

# startgame: starts the game from the working folder and waits for its window.
startgame() {
    # A script's background job starts with SIGINT ignored; the game gets
    # the default, as when a player starts it.
    (cd "$work/cwd" && exec env --default-signal=INT "$work/game/corvale" 2>"$work/game.err") &
    gamepid=$!
    window=$(timeout 20 xdotool search --sync --all --pid "$gamepid" --name '^Corvale$' | head -n 1) ||
        fail "no window appeared: $(cat "$work/game.err")"
}

stopgame() {
    if [ -n "$gamepid" ] && kill -0 "$gamepid" 2>/dev/null; then
        kill "$gamepid" 2>/dev/null || true
        wait "$gamepid" 2>/dev/null || true
    fi
    gamepid=""
}

# press KEY...: real key presses to the game's window, a moment apart.
press() {
    for k in "$@"; do
        xdotool key --window "$window" "$k"
        sleep "${PRESS_GAP:-0.3}"
    done
}

# rms FILE: the RMS amplitude (0..1) of a raw capture.
rms() {
    sox -t raw -r 22050 -e signed -b 16 -c 2 "$1" -n stat 2>&1 | awk '/RMS +amplitude/ {print $3}'
}

# sounding FILE: the samples of a 16-bit capture that are not silent, one a line.
sounding() { od -An -v -td2 -w2 "$1" | awk '$1 != 0'; }

# begins CAPTURE CLIP: true when the capture's sound starts with the clip's.
# The mixer decodes the clip and spreads its one channel over two through
# floating point, so the left channel is compared with the clip decoded here,
# both from the first sample above -40 dBFS, allowing a few samples' shift
# where that edge falls: the difference must stay under a tenth of the clip's
# own level over its first 20000 samples. Another clip or silence is far from
# that.
begins() {
    sox "$2" -t raw -e signed -b 16 -c 1 "$work/begins.raw"
    awk 'function abs(v) {return v < 0 ? -v : v}
        FILENAME == ARGV[1] {if (FNR % 2 == 1) heard[++nh] = $1; next}
        {clip[++nc] = $1}
        END {
            for (h = 1; h <= nh && abs(heard[h]) <= 328; h++);
            for (c = 1; c <= nc && abs(clip[c]) <= 328; c++);
            if (h > nh || c > nc) exit 1
            n = nc - c + 1
            if (n > 20000) n = 20000
            if (nh - h + 1 < n + 3) exit 1
            best = -1
            for (shift = -3; shift <= 3; shift++) {
                if (h + shift < 1) continue
                error = level = 0
                for (i = 0; i < n; i++) {
                    d = heard[h + shift + i] - clip[c + i]
                    error += d * d; level += clip[c + i] * clip[c + i]
                }
                if (best < 0 || error / level < best) best = error / level
            }
            exit !(best >= 0 && best < 0.01)
        }' <(od -An -v -td2 -w2 "$1") <(od -An -v -td2 -w2 "$work/begins.raw")
}

# seconds FILE: the length of a raw capture in seconds.
seconds() {
    local bytes
    bytes=$(stat -c %s "$1")
    awk -v b="$bytes" 'BEGIN {printf "%.2f", b / (22050 * 4)}'
}

# loud FILE: true when the capture holds audible sound.
loud() {
    awk -v r="$(rms "$1")" 'BEGIN {exit !(r > 0.005)}'
}
