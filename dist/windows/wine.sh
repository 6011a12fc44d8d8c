#!/bin/sh
# Runs a Windows program of the build under wine, as the tests do: a wine
# prefix of Corvale's own in the cache folder (made on first use, which takes
# a few seconds), no debugging chatter, and no offer to install Mono or Gecko.
#   dist/windows/wine.sh PROGRAM.exe [ARGUMENT...]
export WINEPREFIX="${CORVALE_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/corvale-windows/wine}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
if [ -x /usr/lib/wine/wine64 ]; then
    exec /usr/lib/wine/wine64 "$@"
fi
exec wine64 "$@"
