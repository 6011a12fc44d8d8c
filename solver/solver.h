// The solver library: a puzzle turned into numbers, a solver that counts
// the digit assignments satisfying every row, the row-by-row solver that
// reasons as a player does and grades a puzzle by its guesses, the checker
// that judges a puzzle file, and the seeded generator of new puzzles. The
// game, corvale-puzzle, the tests and the benchmarks all call these
// directly: plain functions over plain structs.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/reader.h"

namespace corvale::solver {

// One row as numbers: the relation and its three words, each word the
// symbol numbers of its positions, most significant first, blanks dropped.
struct Equation {
    char op = 0;  // '*', '-' or '<'
    std::array<std::vector<int>, 3> words;
};

// A puzzle's symbols (the letter of symbol i is symbols[i]) and its rows.
struct Model {
    std::string symbols;
    std::vector<Equation> rows;
};

// The digit of each symbol, by symbol number.
using Digits = std::vector<int>;

// A word's value under `digits`; every symbol of the word must have a digit.
long long wordvalue(const std::vector<int>& word, const Digits& digits);

// True when the row's relation holds and none of its numbers of two or more
// symbols starts with 0.
bool holds(const Equation& row, const Digits& digits);

struct Solutions {
    long long count = 0;        // stops growing at the search limit
    std::vector<Digits> first;  // the first few found, in search order
};

// Counts the assignments of distinct digits to all the model's symbols that
// satisfy every row with no leading zero, stopping once `limit` are found
// and keeping the first `keep` of them.
Solutions solve(const Model& model, long long limit, std::size_t keep);

// Turns a puzzle read from a file into a model and the answer key's digit
// for each symbol. Returns "" or why the puzzle cannot be played fairly:
// an unknown relation, a word that is not four positions of capital
// letters and "_", a symbol missing from the key, a key symbol no row uses.
std::string buildmodel(const Puzzle& puzzle, Model& model, Digits& key);

// The words a sentence says between a row's words: the English clips' by
// default, another language's given by its clip table.
struct Words {
    std::string times = "times";
    std::string minus = "minus";
    std::string islessthan = "is less than";
    std::string equals = "equals";
};

// The sentence that reads a row the way the game's clips say it, such as
// "A B times C equals D E" or "C is less than D".
std::string sentence(const std::string& op, const std::string& a, const std::string& b,
                     const std::string& c, const Words& words = {});

// The verdict on one puzzle file, as the one line the tool prints.
struct Verdict {
    bool valid = false;
    std::string line;
};

// Reads a puzzle file's text and judges it: valid when exactly one
// assignment satisfies every row and it is the answer key; also tells which
// rows the puzzle needs to stay unique.
// Sentences are expected in `words`.
Verdict checkpuzzle(const std::string& text, const std::string& filename, const Words& words = {});

// The puzzle file's text with every row's sentence said anew in `words`,
// or "" with `error` set when the text is not a puzzle file.
std::string reword(const std::string& text, const std::string& filename, const Words& words,
                   std::string& error);

// The row-by-row solver, which reasons as a player does. Domains hold what
// each symbol (by number) may still be: bit d set when it may be digit d.
using Domains = std::vector<unsigned>;

// Every digit for every symbol, less 0 for a symbol that starts a number.
Domains startdomains(const Model& model);

// Keeps for each symbol of `row` only the digits some way of satisfying the
// row allows (the other symbols within their domains, all digits distinct);
// a symbol left one digit then takes it from every other symbol. False when
// the row cannot hold, with `domains` then partly narrowed.
bool narrow(const Equation& row, Domains& domains);

// Narrows by every row again and again until none narrows further; false on
// a contradiction.
bool propagate(const Model& model, Domains& domains);

// How much trial a puzzle needs: the guesses the row-by-row solver makes
// (see grade.cpp), trying each digit of the open symbol with fewest when
// no row narrows further, and the answers it finds.
struct Grade {
    long long guesses = 0;
    long long solutions = 0;
};
Grade grade(const Model& model);

// The grade line the tool prints for a puzzle file: "FILE: grade N ..." or
// why the file cannot be graded; false in the second case.
bool gradeline(const std::string& text, const std::string& filename, std::string& line);

struct GenerateOptions {
    int symbols = 4;  // 3..10
    std::uint64_t seed = 0;
    int maxrows = 16;  // 1..16
    // Draws of digits and rows tried before giving up, 1 or more; 150 keeps
    // a hopeless request under two seconds.
    int draws = 150;
};

// Makes a new valid puzzle with no redundant row and returns "" with the
// file's text in `text`, or says why it could not. The same options always
// give the same text.
std::string generate(const GenerateOptions& options, std::string& text, const Words& words = {});

// The levels of new puzzles the game makes, from their measured grades
// and sizes (bench/newpuzzle_bench prints the spread): a level draws its
// symbol count from `fewest`..`most` and wants a grade in
// `lowest`..`highest`.
struct Level {
    int fewest, most;
    long long lowest, highest;
};
constexpr int kLevels = 3;  // easy, medium, hard
const Level& level(int n);  // n is 1..kLevels

// A new puzzle of level `n`, as makelevel found it.
struct Made {
    std::string text;  // the puzzle file, valid and with every row needed
    Grade grade;       // its grade; always one answer
    int symbols = 0;
    int draws = 0;         // draws it took: the work done, the measure of time
    bool inlevel = false;  // false: the budget ran out first, `text` the nearest found
};

// Makes a puzzle of level `n` from `seed`, trying at most `budget` draws
// (one draw of digits and rows each) until one's grade falls in the level.
// When none does, the nearest in grade found is taken, so a level that
// cannot be met still ends with a fair puzzle; a budget spent before any
// draw gave a puzzle goes on until one does. The budget is how a caller
// without a clock bounds the time. Returns "" or why no puzzle came at all.
std::string makelevel(int n, std::uint64_t seed, int budget, const Words& words, Made& made);

// The draws the game allows a new puzzle. bench/newpuzzle_bench measured a
// draw at 70 ms at worst on a loaded machine, so the budget ends a search
// within about four seconds; a hard puzzle took 33 draws at p99.
constexpr int kMakeBudget = 60;

// The text of a puzzle file: CR LF line ends, one field per line, relations
// and the key's "*" quoted.
std::string puzzletext(const Puzzle& puzzle);

}  // namespace corvale::solver
