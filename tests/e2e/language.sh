#!/usr/bin/env bash
# The game in another language, its clip set spoken from that language's
# table (tests/speech/languages.sh checks the set itself): the real game
# greets the player with that language's welcome, and voxlet says a clue's
# number in the language's own words and voice.
#   language.sh GAME-FOLDER CLIPGEN TABLE LANGUAGE
source "$(dirname "$0")/lib.sh"
setup "$1"
clipgen=$2 table=$3 language=$4

"$clipgen" --table "$table" --out "$work/game" --voice "$language" --language "$language" ||
    fail "clipgen could not speak $table"
grep -qx "language=$language" "$work/game/voice.txt" || fail "voice.txt: $(cat "$work/game/voice.txt")"

# The samples of a 16-bit capture that are not silent, one a line.
sounding() { od -An -v -td2 -w2 "$1" | awk '$1 != 0'; }

cp "$work/game/puzz1.txt" "$work/cwd/"
startgame
sleep 2
# The start of what the game played is the start of this language's welcome,
# sample for sample.
sox "$work/game/sounds/welcome.wav" -t raw "$work/welcome.raw"
cmp -s <(sounding "$work/game.raw" | head -n 20000) <(sounding "$work/welcome.raw" | head -n 20000) ||
    fail "the game did not begin with the $language welcome"

press Tab Tab Return
sleep 1.5
press Return
sleep 3
clue=$(awk -F'\t' '$1 == "text:clue" {print $2}' "$table")
tail="100,2,${clue/\{n\}/1}"
[ "$(cat "$work/voxlet.args")" = "$tail" ] ||
    fail "voxlet was asked to say \"$(cat "$work/voxlet.args")\", not \"$tail\""

# voxlet spoke with the voice voice.txt names: what the game's voxlet said is
# what a voxlet beside this voice.txt says, and not what one without it says.
said=$(ls "$work"/voxlet-*.raw | head -n 1)
SDL_DISKAUDIOFILE="$work/same.raw" "$work/game/voxlet.real" "$tail" || fail "voxlet failed"
mkdir "$work/english"
cp "$work/game/voxlet.real" "$work/english/voxlet"
SDL_DISKAUDIOFILE="$work/english.raw" "$work/english/voxlet" "$tail" || fail "voxlet failed"
cmp -s <(sounding "$said") <(sounding "$work/same.raw") ||
    fail "the clue number was not spoken in the voice of voice.txt"
cmp -s <(sounding "$said") <(sounding "$work/english.raw") &&
    fail "the clue number sounds the same without voice.txt"
stopgame
echo "$language: welcome and \"$tail\" heard"
