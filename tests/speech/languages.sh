#!/bin/bash
# Every language's clip set, made by clipgen from its table as a build in
# that language makes it, passes the same checks as the English set: every
# clip there, in the game's format, charted within its gap.
#   languages.sh PATH-TO-CLIPGEN SOUNDS-FOLDER CLIPSET-SCRIPT
set -u
clipgen=$1 sounds=$2 clipset=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
for table in "$sounds"/clips.*.tsv; do
    language=${table##*/clips.}
    language=${language%.tsv}
    if ! "$clipgen" --table "$table" --out "$work/$language" --voice "$language" \
        --language "$language" 2>"$work/$language.err"; then
        echo "FAIL: clipgen could not speak $table: $(cat "$work/$language.err")"
        failures=$((failures + 1))
        continue
    fi
    echo "== $language"
    bash "$clipset" "$work/$language" || failures=$((failures + 1))
done
[ "$failures" -eq 0 ] && echo "every language's clip set passed"
exit $((failures > 0))
