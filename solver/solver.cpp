// The solver behind the checker and the generator. It fills in symbols one
// at a time and tests each row column by column from the units up, so a
// wrong digit is dropped as soon as the lowest columns that hold it are
// known instead of after the whole assignment; a ten-symbol puzzle is then
// proved unique in well under a millisecond rather than by trying 10! ways.
#include "solver/solver.h"

#include <algorithm>
#include <cstddef>
#include <utility>

namespace corvale::solver {
namespace {

constexpr int kDigits = 10;
constexpr std::array<long long, 5> kPow10 = {1, 10, 100, 1000, 10000};

// A test on one row: with k > 0, that the relation holds in the lowest k
// columns; with k == 0, that it holds for the whole numbers.
struct Test {
    std::size_t row = 0;
    std::size_t k = 0;
};

bool contains(const std::string& s, char c) {
    return s.find(c) != std::string::npos;
}

class Search {
  public:
    Search(const Model& model, long long limit, std::size_t keep)
        : model_(model), limit_(limit), keep_(keep) {
        const std::size_t n = model.symbols.size();
        digits_.assign(n, -1);
        nonzero_.assign(n, false);
        for (const Equation& row : model.rows) {
            std::array<std::vector<int>, 3> low;
            for (std::size_t w = 0; w < 3; ++w) {
                low[w].assign(row.words[w].rbegin(), row.words[w].rend());
                if (row.words[w].size() > 1) nonzero_.at(row.words[w].front()) = true;
            }
            low_.push_back(low);
        }
        plan();
    }

    Solutions run() {
        if (model_.symbols.size() <= kDigits) descend(0, 0);
        return std::move(found_);
    }

  private:
    // Symbols the test needs: the lowest k positions of each word, or all.
    std::vector<int> needs(const Test& t) const {
        std::vector<int> out;
        for (const std::vector<int>& word : low_.at(t.row)) {
            const std::size_t upto = t.k == 0 ? word.size() : std::min(t.k, word.size());
            for (std::size_t j = 0; j < upto; ++j) out.push_back(word[j]);
        }
        return out;
    }

    // Orders the symbols so that tests complete early: again and again take
    // the pending test with the fewest symbols still unplaced (lowest
    // columns first) and place those symbols next.
    void plan() {
        std::vector<Test> pending;
        for (std::size_t r = 0; r < model_.rows.size(); ++r) {
            std::size_t longest = 0;
            for (const std::vector<int>& word : low_[r]) longest = std::max(longest, word.size());
            if (model_.rows[r].op != '<') {
                for (std::size_t k = 1; k < longest; ++k) pending.push_back({r, k});
            }
            pending.push_back({r, 0});
        }
        const std::size_t n = model_.symbols.size();
        std::vector<bool> placed(n, false);
        auto unplaced = [&](const Test& t) {
            std::size_t count = 0;
            for (const int s : needs(t)) count += placed.at(s) ? 0 : 1;
            return count;
        };
        while (!pending.empty()) {
            std::size_t best = 0;
            for (std::size_t i = 1; i < pending.size(); ++i) {
                if (unplaced(pending[i]) < unplaced(pending[best])) best = i;
            }
            for (const int s : needs(pending[best])) {
                if (!placed.at(s)) {
                    placed.at(s) = true;
                    order_.push_back(s);
                }
            }
            std::erase_if(pending, [&](const Test& t) { return unplaced(t) == 0; });
        }
        for (std::size_t s = 0; s < n; ++s) {
            if (!placed[s]) order_.push_back(static_cast<int>(s));
        }

        // Each test runs at the depth where its last symbol is placed.
        std::vector<std::size_t> depth(n, 0);
        for (std::size_t d = 0; d < order_.size(); ++d) depth.at(order_[d]) = d;
        tests_.assign(n, {});
        for (std::size_t r = 0; r < model_.rows.size(); ++r) {
            std::size_t longest = 0;
            for (const std::vector<int>& word : low_[r]) longest = std::max(longest, word.size());
            std::vector<Test> all;
            if (model_.rows[r].op != '<') {
                for (std::size_t k = 1; k < longest; ++k) all.push_back({r, k});
            }
            all.push_back({r, 0});
            for (const Test& t : all) {
                std::size_t at = 0;
                for (const int s : needs(t)) at = std::max(at, depth.at(s));
                tests_.at(at).push_back(t);
            }
        }
    }

    long long lowvalue(const std::vector<int>& word, std::size_t k) const {
        long long v = 0;
        const std::size_t upto = std::min(k, word.size());
        for (std::size_t j = 0; j < upto; ++j) v += digits_[word[j]] * kPow10[j];
        return v;
    }

    bool pass(const Test& t) const {
        const Equation& row = model_.rows[t.row];
        if (t.k == 0) return holds(row, digits_);
        const auto& w = low_[t.row];
        const long long m = kPow10.at(t.k);
        const long long a = lowvalue(w[0], t.k);
        const long long b = lowvalue(w[1], t.k);
        const long long c = lowvalue(w[2], t.k);
        if (row.op == '*') return (a * b) % m == c;
        return (b + c) % m == a;  // a - b = c, read as a = b + c
    }

    // Returns false once the limit is reached, to end the search.
    bool descend(std::size_t depth, unsigned used) {
        if (depth == order_.size()) {
            if (found_.first.size() < keep_) found_.first.push_back(digits_);
            return ++found_.count < limit_;
        }
        const int s = order_[depth];
        for (int d = nonzero_[s] ? 1 : 0; d < kDigits; ++d) {
            const unsigned bit = 1u << d;
            if ((used & bit) != 0) continue;
            digits_[s] = d;
            bool ok = true;
            for (const Test& t : tests_[depth]) {
                if (!pass(t)) {
                    ok = false;
                    break;
                }
            }
            if (ok && !descend(depth + 1, used | bit)) {
                digits_[s] = -1;
                return false;
            }
        }
        digits_[s] = -1;
        return true;
    }

    const Model& model_;
    long long limit_;
    std::size_t keep_;
    std::vector<std::array<std::vector<int>, 3>> low_;  // words least significant first
    std::vector<bool> nonzero_;
    std::vector<int> order_;
    std::vector<std::vector<Test>> tests_;  // by depth
    Digits digits_;
    Solutions found_;
};

// Checks one word's shape; returns "" or what is wrong with it.
std::string wordproblem(const std::string& word, const char* which) {
    if (word.size() != 4) {
        return std::string("the ") + which + " word \"" + word +
               "\" must have exactly four positions (capital letters or _)";
    }
    for (const char c : word) {
        if (c != '_' && (c < 'A' || c > 'Z')) {
            return std::string("the ") + which + " word \"" + word + "\" holds \"" +
                   std::string(1, c) + "\", which is neither a capital letter nor _";
        }
    }
    return "";
}

bool blank(const std::string& word) {
    return std::all_of(word.begin(), word.end(), [](char c) { return c == '_'; });
}

std::string spaced(const std::string& word) {
    std::string out;
    for (const char c : word) {
        if (c == '_') continue;
        if (!out.empty()) out += ' ';
        out += c;
    }
    return out;
}

}  // namespace

long long wordvalue(const std::vector<int>& word, const Digits& digits) {
    long long v = 0;
    for (const int s : word) v = v * 10 + digits.at(s);
    return v;
}

bool holds(const Equation& row, const Digits& digits) {
    for (const std::vector<int>& word : row.words) {
        if (word.size() > 1 && digits.at(word.front()) == 0) return false;
    }
    const long long a = wordvalue(row.words[0], digits);
    const long long b = wordvalue(row.words[1], digits);
    const long long c = wordvalue(row.words[2], digits);
    switch (row.op) {
        case '*':
            return a * b == c;
        case '-':
            return a - b == c;
        case '<':
            return a < b;
        default:
            return false;
    }
}

Solutions solve(const Model& model, long long limit, std::size_t keep) {
    return Search(model, std::max(limit, 1LL), keep).run();
}

std::string buildmodel(const Puzzle& puzzle, Model& model, Digits& key) {
    Model got;
    Digits keydigits;
    for (std::size_t d = 0; d < puzzle.answerkey.size(); ++d) {
        const std::string& entry = puzzle.answerkey[d];
        const std::string digit = std::to_string(d);
        if (entry == "*") continue;
        if (entry.size() != 1 || entry[0] < 'A' || entry[0] > 'Z') {
            return "the answer key for digit " + digit + " is \"" + entry +
                   "\"; it must be one capital letter, or * when no symbol has that digit";
        }
        const std::size_t before = got.symbols.find(entry[0]);
        if (before != std::string::npos) {
            return "the answer key gives symbol " + entry + " two digits, " +
                   std::to_string(keydigits.at(before)) + " and " + digit;
        }
        got.symbols += entry[0];
        keydigits.push_back(static_cast<int>(d));
    }

    // The game wins only when at least one symbol is placed right.
    if (got.symbols.empty()) return "the answer key names no symbol, so the puzzle cannot be won";

    std::string used;
    for (int r = 1; r <= puzzle.cluecount; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        const std::string row = "row " + std::to_string(r) + ": ";
        const std::string& op = puzzle.clueop.at(i);
        if (op != "*" && op != "-" && op != "<") {
            return row + "the relation \"" + op + "\" is not one of \"*\", \"-\" or \"<\"";
        }
        const std::array<const std::string*, 3> words = {&puzzle.cluea[i], &puzzle.clueb[i],
                                                         &puzzle.cluec[i]};
        const std::array<const char*, 3> names = {"first", "second", "third"};
        Equation eq;
        eq.op = op[0];
        for (std::size_t w = 0; w < 3; ++w) {
            const std::string problem = wordproblem(*words[w], names[w]);
            if (!problem.empty()) return row + problem;
            const bool wantblank = w == 2 && eq.op == '<';
            if (blank(*words[w]) != wantblank) {
                return row + "the " + names[w] + " word must " + (wantblank ? "" : "not ") +
                       "be blank (____)" + (wantblank ? " in a \"<\" row" : "");
            }
            for (const char c : *words[w]) {
                if (c == '_') continue;
                const std::size_t s = got.symbols.find(c);
                if (s == std::string::npos) {
                    return row + "symbol " + std::string(1, c) + " is not in the answer key";
                }
                eq.words[w].push_back(static_cast<int>(s));
                if (!contains(used, c)) used += c;
            }
        }
        got.rows.push_back(eq);
    }
    for (const char c : got.symbols) {
        if (!contains(used, c)) {
            return "symbol " + std::string(1, c) + " of the answer key is used in no row";
        }
    }
    model = std::move(got);
    key = std::move(keydigits);
    return "";
}

std::string sentence(const std::string& op, const std::string& a, const std::string& b,
                     const std::string& c, const Words& words) {
    if (op == "<") return spaced(a) + " " + words.islessthan + " " + spaced(b);
    const std::string& word = op == "*" ? words.times : words.minus;
    return spaced(a) + " " + word + " " + spaced(b) + " " + words.equals + " " + spaced(c);
}

}  // namespace corvale::solver
