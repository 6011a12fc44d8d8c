// The puzzle tool's library: a puzzle turned into numbers, a solver that
// counts the digit assignments satisfying every row, the checker that
// judges a puzzle file, and the generator of new puzzles. The command-line
// tool, the tests and the benchmark all call these directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "puzzle/reader.h"

namespace corvale::puzzletool {

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
// default, another language's from its clip table (wordsfromtable).
struct Words {
    std::string times = "times";
    std::string minus = "minus";
    std::string islessthan = "is less than";
    std::string equals = "equals";
};

// The relation words of a clip table (its rows times, minus, islessthan and
// equals). Returns "" or why the table gives none fit for a puzzle file.
std::string wordsfromtable(const std::string& tablefile, Words& words);

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

// How much trial a puzzle needs: the guesses a solver makes that works row
// by row as a player does (see grade.cpp), and the answers it finds.
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
};

// Makes a new valid puzzle with no redundant row and returns "" with the
// file's text in `text`, or says why it could not. The same options always
// give the same text.
std::string generate(const GenerateOptions& options, std::string& text, const Words& words = {});

// The text of a puzzle file: CR LF line ends, one field per line, relations
// and the key's "*" quoted.
std::string puzzletext(const Puzzle& puzzle);

}  // namespace corvale::puzzletool
