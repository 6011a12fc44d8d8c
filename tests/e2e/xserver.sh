#!/usr/bin/env bash
# Runs a command under an X server of its own, as xvfb-run -a does, but
# without its race: xvfb-run guesses a free display number from the lock
# files, so two tests started together can pick the same one and one of them
# fails. Xvfb -displayfd picks a free display itself and names it, so the
# end-to-end tests can run side by side.
#   xserver.sh COMMAND...
set -euo pipefail
named=$(mktemp)
Xvfb -displayfd 3 -nolisten tcp -noreset -screen 0 1280x1024x24 3>"$named" 2>"$named.err" &
xserver=$!
trap 'kill "$xserver" 2>/dev/null; wait "$xserver" 2>/dev/null; rm -f "$named" "$named.err"' EXIT
for _ in $(seq 100); do [ -s "$named" ] && break; sleep 0.1; done
if [ ! -s "$named" ]; then
    echo "xserver.sh: Xvfb named no display: $(cat "$named.err")" >&2
    exit 1
fi
export DISPLAY=":$(cat "$named")"
"$@"
