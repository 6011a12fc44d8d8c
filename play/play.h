// Puzzle play: the keys a player uses while a puzzle is open, and the
// translation of a symbol into the clip that speaks it.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace corvale {

// The mark of an empty word position. It is no symbol: it takes no digit,
// and a pad slot that holds it (older versions stored it) counts as free.
inline const std::string blankmark = "_";

// Handles one key while a puzzle is being played.
void playkey(int KeyCode, int Shift);

// The scratch pad's letters that have digits, with their digits, in letter
// order: what P reads and the large-print view shows.
std::vector<std::pair<std::string, std::string>> padentries();

// P: every letter of the scratch pad with its digit, then its marks, in
// letter order; a letter with marks and no digit too. When that is more than
// the schedule holds, it stops before a letter and says P goes on: a P
// pressed next reads on from there.
void saypad();
// Backspace: empties the scratch slot of the letter heard last and saves the
// pad; a click when that letter has no digit or none was heard.
void takeback();

// Shift with a digit: the digit d becomes a mark of the letter heard last,
// or stops being one; says which, and saves the marks.
void togglemark(int d);
// M: says the marks of the letter heard last, in digit order.
void saymarks();
// The entries of the schedule that schedulemarks() takes for `letter`.
int markentries(const std::string& letter);
// Schedules "may be" and the marks of `letter`, or "no marks", from tick
// `at` on; returns the tick where the next letter of a reading may start.
int schedulemarks(const std::string& letter, int at);
// The hint for the pad as it stands, one sentence in the clips' language:
// a clue and the letter it settles, the clue a wrong digit breaks, or the
// letter with fewest candidates when only a guess goes on; "" when the
// solver cannot take the puzzle.
std::string hint();
// N: says the hint and counts it in the marks file; never sets a digit.
void sayhint();
// The clip of a symbol's own name, in the clip set's lower case.
std::string symbolclip(const std::string& symbol);

// The symbol `tempm` as the player hears it: upper case, or in substitute
// mode the digit the scratch pad gives it.
std::string heardas(std::string tempm);

// The clip path that speaks `tempm`: its own letter, or in substitute mode
// the digit the scratch pad gives it.
std::string translate(std::string tempm);

// The clip path that says a row's relation ("*", "-", "<"), or "" for any
// other value, which has no word.
std::string relationclip(const std::string& op);

}  // namespace corvale
