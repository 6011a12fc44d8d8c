// Grading a puzzle by how much trial it needs. The grader solves the way a
// player does: it takes the rows one at a time and, for each, keeps for every
// symbol only the digits that some way of satisfying that row (with the other
// symbols' digits still possible and all different) allows; a symbol down to
// one digit takes that digit from every other symbol. When no row narrows
// anything more and symbols are still open, it must guess: it tries each
// digit of the open symbol with the fewest, and goes on from each. The grade
// is the number of such guesses over the whole search, which proves the
// answer unique as the player must; 0 means the rows alone lead to it.
#include <algorithm>
#include <bit>
#include <cstddef>
#include <string>
#include <vector>

#include "solver/solver.h"

namespace corvale::solver {
namespace {

constexpr unsigned kAll = (1u << 10) - 1;

bool used(const Equation& row, int s) {
    for (const std::vector<int>& word : row.words)
        if (std::find(word.begin(), word.end(), s) != word.end()) return true;
    return false;
}

// Every assignment of the first two words' symbols within their domains,
// each marking in `support` the digits it gives the row's symbols.
void enumerate(const Equation& row, const Domains& dom, const std::vector<int>& tried,
               std::size_t i, unsigned taken, Digits& digits, Domains& support) {
    if (i < tried.size()) {
        const int s = tried[i];
        for (int d = 0; d < 10; ++d) {
            const unsigned bit = 1u << d;
            if ((dom[s] & bit) == 0 || (taken & bit) != 0) continue;
            digits[s] = d;
            enumerate(row, dom, tried, i + 1, taken | bit, digits, support);
        }
        digits[s] = -1;
        return;
    }
    const long long a = wordvalue(row.words[0], digits);
    const long long b = wordvalue(row.words[1], digits);
    if (row.op == '<') {
        if (a < b)
            for (const int s : tried) support[s] |= 1u << digits[s];
        return;
    }
    long long c = row.op == '*' ? a * b : a - b;
    const std::vector<int>& word = row.words[2];
    if (c < 0) return;
    // Spell c into the third word, least significant digit last.
    Digits third = digits;
    unsigned more = taken;
    for (std::size_t k = word.size(); k-- > 0;) {
        const int s = word[k];
        const int d = static_cast<int>(c % 10);
        c /= 10;
        if (third[s] >= 0) {
            if (third[s] != d) return;
            continue;
        }
        const unsigned bit = 1u << d;
        if ((dom[s] & bit) == 0 || (more & bit) != 0) return;
        third[s] = d;
        more |= bit;
    }
    if (c != 0) return;  // more digits than the word has positions
    for (const int s : tried) support[s] |= 1u << third[s];
    for (const int s : word) support[s] |= 1u << third[s];
}

// A symbol with one digit left takes it from all the others.
bool settle(Domains& dom) {
    for (bool changed = true; changed;) {
        changed = false;
        for (std::size_t s = 0; s < dom.size(); ++s) {
            if (std::popcount(dom[s]) != 1) continue;
            for (std::size_t t = 0; t < dom.size(); ++t) {
                if (t == s || (dom[t] & dom[s]) == 0) continue;
                dom[t] &= ~dom[s];
                if (dom[t] == 0) return false;
                changed = true;
            }
        }
    }
    return true;
}

void search(const Model& model, Domains dom, Grade& grade) {
    if (!propagate(model, dom)) return;
    std::size_t open = dom.size();
    for (std::size_t s = 0; s < dom.size(); ++s)
        if (std::popcount(dom[s]) > 1 &&
            (open == dom.size() || std::popcount(dom[s]) < std::popcount(dom[open])))
            open = s;
    if (open == dom.size()) {
        ++grade.solutions;
        return;
    }
    for (int d = 0; d < 10; ++d) {
        if ((dom[open] & (1u << d)) == 0) continue;
        ++grade.guesses;
        Domains next = dom;
        next[open] = 1u << d;
        search(model, next, grade);
    }
}

}  // namespace

Domains startdomains(const Model& model) {
    Domains start(model.symbols.size(), kAll);
    for (const Equation& row : model.rows)
        for (const std::vector<int>& word : row.words)
            if (word.size() > 1) start.at(word.front()) &= ~1u;  // no leading 0
    return start;
}

bool narrow(const Equation& row, Domains& dom) {
    // The symbols of the first two words are tried; the third word's
    // value follows from them and is only compared.
    std::vector<int> tried;
    for (std::size_t w = 0; w < 2; ++w)
        for (const int s : row.words[w])
            if (std::find(tried.begin(), tried.end(), s) == tried.end()) tried.push_back(s);
    Domains support(dom.size(), 0);
    Digits digits(dom.size(), -1);
    enumerate(row, dom, tried, 0, 0, digits, support);
    for (std::size_t s = 0; s < dom.size(); ++s) {
        if (!used(row, static_cast<int>(s))) continue;
        dom[s] &= support[s];
        if (dom[s] == 0) return false;
    }
    return settle(dom);
}

bool propagate(const Model& model, Domains& dom) {
    for (bool changed = true; changed;) {
        changed = false;
        for (const Equation& row : model.rows) {
            const Domains before = dom;
            if (!narrow(row, dom)) return false;
            changed = changed || dom != before;
        }
    }
    return true;
}

Grade grade(const Model& model) {
    Grade g;
    search(model, startdomains(model), g);
    return g;
}

bool gradeline(const std::string& text, const std::string& filename, std::string& line) {
    Puzzle puzzle;
    line = readpuzzle(text, filename, puzzle);
    if (!line.empty()) return false;
    Model model;
    Digits key;
    const std::string problem = buildmodel(puzzle, model, key);
    if (!problem.empty()) {
        line = filename + ": cannot grade: " + problem;
        return false;
    }
    const Grade g = grade(model);
    line = filename + ": grade " + std::to_string(g.guesses) +
           " (guesses a row-by-row solver needs; " + std::to_string(model.symbols.size()) +
           " symbols, " + std::to_string(model.rows.size()) + " rows)";
    if (g.solutions != 1) line += "; but it has " + std::to_string(g.solutions) + " answers";
    return true;
}

}  // namespace corvale::solver
