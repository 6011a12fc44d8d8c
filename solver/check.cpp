// The checker's verdict on one puzzle file. A puzzle is fair only when the
// rows pin down every symbol to the answer key's digit and nothing else, so
// the verdict counts every assignment, names a few when there are several,
// and says which row of the key fails when the key itself is wrong. For a
// valid puzzle it also says which rows could go, since a row the others
// already imply is only more listening for the player.
#include <algorithm>
#include <cstddef>
#include <limits>
#include <string>

#include "solver/solver.h"

namespace corvale::solver {
namespace {

constexpr std::size_t kShown = 3;

// "A=1 B=2 ...", in letter order whatever order the key gave the symbols.
std::string assignment(const Model& model, const Digits& digits) {
    std::string letters = model.symbols;
    std::sort(letters.begin(), letters.end());
    std::string out;
    for (const char c : letters) {
        if (!out.empty()) out += ' ';
        out += std::string(1, c) + "=" + std::to_string(digits.at(model.symbols.find(c)));
    }
    return out;
}

std::string solutionlist(const Model& model, const Solutions& found) {
    if (found.count == 0) return "no solution";
    std::string out =
        std::to_string(found.count) + (found.count == 1 ? " solution (" : " solutions (");
    for (std::size_t i = 0; i < found.first.size(); ++i) {
        if (i > 0) out += ", ";
        out += assignment(model, found.first[i]);
    }
    if (found.count > static_cast<long long>(found.first.size())) out += ", ...";
    return out + ")";
}

// What the answer key gets wrong in one row, or "" when the row holds.
std::string keyfault(const Puzzle& puzzle, std::size_t r, const Equation& row, const Digits& key) {
    const std::size_t i = r + 1;
    const std::array<const std::string*, 3> words = {&puzzle.cluea.at(i), &puzzle.clueb.at(i),
                                                     &puzzle.cluec.at(i)};
    const std::string name = "the answer key breaks row " + std::to_string(i) + " (";
    for (std::size_t w = 0; w < 3; ++w) {
        if (row.words[w].size() > 1 && key.at(row.words[w].front()) == 0) {
            return name + "it starts the number " + *words[w] + " with 0)";
        }
    }
    if (holds(row, key)) return "";
    const long long a = wordvalue(row.words[0], key);
    const long long b = wordvalue(row.words[1], key);
    const long long c = wordvalue(row.words[2], key);
    const std::string sa = std::to_string(a);
    const std::string sb = std::to_string(b);
    if (row.op == '<') return name + sa + " is not less than " + sb + ")";
    const long long is = row.op == '*' ? a * b : a - b;
    return name + sa + (row.op == '*' ? " times " : " minus ") + sb + " is " + std::to_string(is) +
           ", not " + std::to_string(c) + ")";
}

}  // namespace

Verdict checkpuzzle(const std::string& text, const std::string& filename, const Words& words) {
    Puzzle puzzle;
    const std::string readerror = readpuzzle(text, filename, puzzle);
    if (!readerror.empty()) return {false, readerror};

    const std::string head = filename + ": ";
    Model model;
    Digits key;
    const std::string problem = buildmodel(puzzle, model, key);
    if (!problem.empty()) return {false, head + "invalid: " + problem};

    const Solutions all = solve(model, std::numeric_limits<long long>::max(), kShown);
    std::string fault;
    for (std::size_t r = 0; r < model.rows.size() && fault.empty(); ++r) {
        fault = keyfault(puzzle, r, model.rows[r], key);
    }
    if (!fault.empty()) {
        return {false, head + "invalid: " + fault + "; the rows have " + solutionlist(model, all)};
    }
    // The key satisfies every row, so it is one of the solutions counted.
    if (all.count != 1) return {false, head + "invalid: " + solutionlist(model, all)};

    std::string needed;
    std::string redundant;
    std::string misread;
    for (std::size_t r = 0; r < model.rows.size(); ++r) {
        Model without = model;
        without.rows.erase(without.rows.begin() + static_cast<std::ptrdiff_t>(r));
        std::string& into = solve(without, 2, 0).count == 1 ? redundant : needed;
        into += (into.empty() ? "" : " ") + std::to_string(r + 1);

        const std::size_t i = r + 1;
        if (puzzle.cluetext.at(i) !=
            sentence(puzzle.clueop[i], puzzle.cluea[i], puzzle.clueb[i], puzzle.cluec[i], words)) {
            misread += (misread.empty() ? "" : " ") + std::to_string(i);
        }
    }
    std::string line = head + "valid, " + std::to_string(model.symbols.size()) + " symbols, " +
                       std::to_string(model.rows.size()) +
                       " rows; rows needed: " + (needed.empty() ? "none" : needed) +
                       ", redundant: " + (redundant.empty() ? "none" : redundant);
    if (!misread.empty()) line += "; sentences that read differently from their row: " + misread;
    return {true, line};
}

std::string reword(const std::string& text, const std::string& filename, const Words& words,
                   std::string& error) {
    Puzzle puzzle;
    error = readpuzzle(text, filename, puzzle);
    if (!error.empty()) return "";
    for (std::size_t i = 1; i <= static_cast<std::size_t>(puzzle.cluecount); ++i)
        puzzle.cluetext.at(i) =
            sentence(puzzle.clueop[i], puzzle.cluea[i], puzzle.clueb[i], puzzle.cluec[i], words);
    return puzzletext(puzzle);
}

}  // namespace corvale::solver
