#!/bin/bash
# Every other language's clip set the build put in its folder of the game
# folder passes the same checks as the build's own set: every clip there, in
# the game's format, charted within its gap; and its voice.txt names the
# language of its folder. Given a LANGUAGE, checks that language's folder
# alone, so the build can check its languages side by side.
#   languages.sh GAME-FOLDER CLIPSET-SCRIPT [LANGUAGE]
set -u
game=$1 clipset=$2 only=${3:-*}
failures=0 checked=0
for chart in "$game"/$only/soundchart.txt; do
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
