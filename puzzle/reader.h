// The puzzle and scratch file formats: a field reader that follows the
// game's reading rules, the parsers built on it, and the scratch writer.
// The game, the puzzle checker and the generator all read puzzles here, so
// there is one parser. Errors come back as a message naming file and line.
#pragma once

#include <array>
#include <map>
#include <string>

namespace corvale {

// One puzzle as its file gives it. Rows are 1..cluecount; entry 0 unused.
struct Puzzle {
    int cluecount = 0;
    std::array<std::string, 17> clueop, cluea, clueb, cluec, cluetext;
    std::array<std::string, 10> answerkey;  // symbol for each digit, "*" for none
};

// The scratch pad: slots 1..10 of symbol and digit ("" when free).
struct Scratch {
    std::array<std::string, 11> scratchletter, scratchdigit;
};

// Reads the text of a puzzle file. On success returns "" and fills `out`;
// otherwise returns "FILE:LINE: what is wrong" and leaves `out` untouched.
// Words hold at most four positions, each a letter, a digit or "_" (what the
// game has clips for and can save); a sentence at most 120 bytes.
std::string readpuzzle(const std::string& text, const std::string& filename, Puzzle& out);

// Reads the text of a scratch file, rejecting one the game did not write
// (fewer than twenty lines, a digit line other than empty or one digit 0..9,
// a symbol other than one letter, digit or "_", a symbol with no digit).
// Same error convention as readpuzzle.
std::string readscratch(const std::string& text, const std::string& filename, Scratch& out);

// The scratch file's text: twenty CR LF lines, symbol then digit per slot.
// Failure when the pad would not read back as itself.
std::string writescratch(const Scratch& pad);

// A puzzle's pencil marks: for each symbol the digits the player noted it
// may still take, in digit order ("B" -> "357"), and the hints used so far.
struct Marks {
    int hintsused = 0;
    std::map<std::string, std::string> marks;
};

// Reads the text of a marks file: the hints used on the first line, then one
// line per marked symbol, "B,357" (one letter or digit, then its digits in
// rising order, each once). Same error convention as readpuzzle.
std::string readmarks(const std::string& text, const std::string& filename, Marks& out);

// The marks file's text, CR LF lines. Failure when it would not read back.
std::string writemarks(const Marks& marks);

}  // namespace corvale
