#!/usr/bin/env bash
# The large-print view in the real window: text appears once a puzzle has
# started, the picture changes when Tab moves to another clue, the help's
# words appear in the caption band at the top while F1's help is said, and it follows
# the window's new size, up to a largest one. Without a font, or with a FIFO
# named for it, the window stays black and the game plays on, with a note on
# standard error.
source "$(dirname "$0")/lib.sh"
setup "$1"
cp "$work/game/puzz1.txt" "$work/cwd/"

# xwdfield FILE N: field N of an xwd header, whose fields are 32-bit
# big-endian numbers (4 width, 5 height, 12 bytes per line).
xwdfield() {
    od -An -tu1 -j $(($2 * 4)) -N4 "$1" | awk '{print (($1 * 256 + $2) * 256 + $3) * 256 + $4}'
}

# shot NAME: the window's pixels into $work/NAME.px (xwd's picture without
# its header and colour map: the last bytes_per_line * height bytes), and
# its width x height into $work/NAME.size.
shot() {
    xwd -silent -id "$window" -out "$work/$1.xwd" || fail "xwd could not read the window"
    local height width perline
    height=$(xwdfield "$work/$1.xwd" 5)
    width=$(xwdfield "$work/$1.xwd" 4)
    perline=$(xwdfield "$work/$1.xwd" 12)
    tail -c $((perline * height)) "$work/$1.xwd" >"$work/$1.px"
    echo "${width}x${height}" >"$work/$1.size"
}

# top NAME: the caption band of NAME's picture (its top 30 percent, the
# share the view gives to what is being said) into $work/NAME-top.px.
top() {
    local height perline
    height=$(xwdfield "$work/$1.xwd" 5)
    perline=$(xwdfield "$work/$1.xwd" 12)
    head -c $((perline * height * 30 / 100)) "$work/$1.px" >"$work/$1-top.px"
}

# lit NAME: how many bytes of the picture are not black.
lit() {
    tr -d '\000' <"$work/$1.px" | wc -c
}

startgame
sleep 1
press Tab Tab Return   # puzzle 1
sleep 2
shot clue1
[ "$(lit clue1)" -gt 500 ] || fail "the window is black after the puzzle started"
press Tab
sleep 1
shot clue2
[ "$(lit clue2)" -gt 500 ] || fail "the window is black on clue 2"
cmp -s "$work/clue1.px" "$work/clue2.px" && fail "the picture did not change when Tab moved to clue 2"

# F1: the help's first sentence ("Puzzle keys.", 0.7 s of it) is shown in
# the caption band above the clue while it is said.
press F1
sleep 0.4
shot help
top clue2
top help
[ "$(lit help-top)" -gt 500 ] || fail "the caption band is black while the help is said"
cmp -s "$work/clue2-top.px" "$work/help-top.px" && fail "the caption band did not change when F1 was pressed"

# A wider, lower window: the picture takes its size and still shows the text.
xdotool windowsize "$window" 900 300
sleep 1
shot resized
[ "$(cat "$work/resized.size")" = 900x300 ] || fail "the window is $(cat "$work/resized.size"), not 900x300"
[ "$(lit resized)" -gt 500 ] || fail "the resized window is black"

# A window stretched far past any screen is sized back (where no window
# manager keeps it to its largest size), and its picture does not take the
# memory of one so large.
xdotool windowsize "$window" 8000 8000
sleep 2
read -r wide high < <(xdotool getwindowgeometry "$window" | awk '/Geometry/ {split($2, s, "x"); print s[1], s[2]}')
[ "$wide" -le 3840 ] && [ "$high" -le 2160 ] || fail "the window stayed ${wide}x$high"
peak=$(awk '/VmHWM/ {print $2}' "/proc/$gamepid/status")
[ "$peak" -lt 200000 ] || fail "the game's memory peaked at $peak kB"
stopgame
grep -v CRITICAL "$work/game.err" | grep -q . && fail "the game reported: $(cat "$work/game.err")"

# No font: a note, a black window, and play as before.
CORVALE_FONT=/nonexistent/font.ttf startgame
sleep 1
press Tab Tab Return
sleep 2
press q 5
sleep 1
shot nofont
[ "$(lit nofont)" -eq 0 ] || fail "the window shows something without a font"
grep -q "no font for the large-print view" "$work/game.err" ||
    fail "no note about the missing font: $(cat "$work/game.err")"
[ -s "$work/game/scratch1.txt" ] || fail "without a font the digit was not saved"
kill -0 "$gamepid" || fail "the game ended without a font"
stopgame

# A FIFO named for the font is not opened: nothing waits on it.
mkfifo "$work/font.fifo"
CORVALE_FONT=$work/font.fifo startgame
sleep 1
press Tab Tab Return
sleep 2
kill -0 "$gamepid" || fail "the game ended with a FIFO for a font"
grep -q "cannot open the font $work/font.fifo: it is not a plain file" "$work/game.err" ||
    fail "no note about the FIFO font: $(cat "$work/game.err")"
echo "view: clue 1 lights $(lit clue1) bytes, clue 2 $(lit clue2), the help's caption band $(lit help-top); resized $(cat "$work/resized.size")"
