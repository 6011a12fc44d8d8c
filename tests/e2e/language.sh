#!/usr/bin/env bash
# The game in another language, chosen at start by the locale among the sets
# the build made (tests/speech/languages.sh checks the sets themselves): the
# real game greets the player with that language's welcome, plays that
# language's puzzle, and voxlet says a clue's number in the language's own
# words and voice.
#   language.sh GAME-FOLDER TABLE LANGUAGE LOCALE
source "$(dirname "$0")/lib.sh"
setup "$1"
table=$2 language=$3 locale=$4
set=$work/game/$language
grep -qx "language=$language" "$set/voice.txt" || fail "no $language set in the game folder"

# The locale alone names the language.
unset LANGUAGE LC_ALL LC_MESSAGES
export LANG=$locale

startgame
sleep 2
# The start of what the game played is the start of this language's welcome.
begins "$work/game.raw" "$set/sounds/welcome.ogg" ||
    fail "the game did not begin with the $language welcome under LANG=$locale"

# No puzzle in the working folder: puzzle 1 is the language's own.
press Tab Tab Return
sleep 1.5
press Return
sleep 3
clue=$(awk -F'\t' '$1 == "text:clue" {print $2}' "$table")
tail="100,2,${clue/\{n\}/1}"
[ "$(cat "$work/voxlet.args")" = "$tail" ] ||
    fail "voxlet was asked to say \"$(cat "$work/voxlet.args")\", not \"$tail\""

# voxlet chose the language as the game did: what the game's voxlet said is
# what a voxlet says under this locale, and not what one says in English.
said=$(ls "$work"/voxlet-*.raw | head -n 1)
SDL_DISKAUDIOFILE="$work/same.raw" "$work/game/voxlet.real" "$tail" || fail "voxlet failed"
LANG=C SDL_DISKAUDIOFILE="$work/english.raw" "$work/game/voxlet.real" "$tail" || fail "voxlet failed"
cmp -s <(sounding "$said") <(sounding "$work/same.raw") ||
    fail "the clue number was not spoken in the voice of the $language voice.txt"
cmp -s <(sounding "$said") <(sounding "$work/english.raw") &&
    fail "the clue number sounds the same in English"
stopgame
echo "$language under LANG=$locale: welcome and \"$tail\" heard"
