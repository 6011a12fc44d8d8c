#!/bin/bash
# Every other language's clip set the build put in its folder of the game
# folder passes the same checks as the build's own set: every clip there, in
# the game's format, charted within its gap; and its voice.txt names the
# language of its folder.
#   languages.sh GAME-FOLDER CLIPSET-SCRIPT
set -u
game=$1 clipset=$2
failures=0 checked=0
for chart in "$game"/*/soundchart.txt; do
    [ -f "$chart" ] || continue
    folder=${chart%/soundchart.txt}
    language=${folder##*/}
    echo "== $language"
    checked=$((checked + 1))
    if ! grep -qx "language=$language" "$folder/voice.txt"; then
        echo "FAIL: $folder/voice.txt does not name the language $language"
        failures=$((failures + 1))
    fi
    bash "$clipset" "$folder" || failures=$((failures + 1))
done
[ "$checked" -gt 0 ] || { echo "FAIL: no language's folder in $game"; exit 1; }
[ "$failures" -eq 0 ] && echo "every language's clip set passed"
exit $((failures > 0))
