// The puzzle checker: its solver against a plain count of every
// assignment, and its verdict on small puzzles that are fair, ambiguous,
// wrongly keyed, solvable only with a leading zero, or not puzzles at all.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "tests/puzzle/fixtures.h"
#include "solver/solver.h"

namespace corvale::solver {
namespace {

using corvale::testing::puzzlefile;

// The row's truth computed directly from the digits, independent of the
// solver's column-by-column tests.
bool plainholds(const Equation& row, const Digits& d) {
    long long v[3] = {0, 0, 0};
    for (std::size_t w = 0; w < 3; ++w) {
        const std::vector<int>& word = row.words[w];
        if (word.size() > 1 && d[static_cast<std::size_t>(word[0])] == 0) return false;
        for (const int s : word) v[w] = v[w] * 10 + d[static_cast<std::size_t>(s)];
    }
    if (row.op == '*') return v[0] * v[1] == v[2];
    if (row.op == '-') return v[0] - v[1] == v[2];
    return v[0] < v[1];
}

// Counts by trying every assignment of distinct digits.
long long plaincount(const Model& model) {
    const std::size_t n = model.symbols.size();
    long long count = 0;
    long long tuples = 1;
    for (std::size_t i = 0; i < n; ++i) tuples *= 10;
    for (long long t = 0; t < tuples; ++t) {
        Digits d;
        unsigned used = 0;
        for (long long rest = t; d.size() < n; rest /= 10) {
            d.push_back(static_cast<int>(rest % 10));
            used |= 1u << d.back();
        }
        if (std::popcount(used) != static_cast<int>(n)) continue;
        if (std::all_of(model.rows.begin(), model.rows.end(),
                        [&](const Equation& r) { return plainholds(r, d); })) {
            ++count;
        }
    }
    return count;
}

TEST(PuzzleSolver, CountsTheSameAsTryingEveryAssignment) {
    // Random rows of one to three symbols per word over five symbols. In
    // most rounds every row is drawn until a random key makes it true, so
    // that the count is at least one and a wrongly pruned branch shows.
    std::uint64_t state = 12345;
    auto next = [&](std::uint64_t n) {
        state = state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<int>((state >> 33) % n);
    };
    const char ops[3] = {'*', '-', '<'};
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        Model model;
        model.symbols = "ABCDE";
        Digits key = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        for (std::size_t i = 9; i > 0; --i) {
            std::swap(key[i], key[static_cast<std::size_t>(next(i + 1))]);
        }
        key.resize(model.symbols.size());
        const bool keyed = round % 4 != 0;
        const int rows = 1 + next(3);
        while (static_cast<int>(model.rows.size()) < rows) {
            const char op = ops[next(3)];
            for (int attempt = 0; attempt < 20000; ++attempt) {
                Equation eq;
                eq.op = op;
                for (std::size_t w = 0; w < (op == '<' ? 2u : 3u); ++w) {
                    const int length = 1 + next(3);
                    for (int j = 0; j < length; ++j) eq.words[w].push_back(next(5));
                }
                if (!keyed || plainholds(eq, key)) {
                    model.rows.push_back(eq);
                    break;
                }
            }
        }
        const long long want = plaincount(model);
        if (keyed) {
            EXPECT_GE(want, 1);
        }
        EXPECT_EQ(want, solve(model, std::numeric_limits<long long>::max(), 0).count);
    }
}

TEST(PuzzleSolver, StopsAtTheLimitAndKeepsTheFirstFew) {
    Model model;
    model.symbols = "ABC";  // no rows: 10 * 9 * 8 assignments
    const Solutions all = solve(model, std::numeric_limits<long long>::max(), 2);
    EXPECT_EQ(720, all.count);
    EXPECT_EQ(2u, all.first.size());
    EXPECT_EQ(5, solve(model, 5, 0).count);
}

// Four symbols: D < C, C x C = A, B x B = DB has the one answer A=9 B=5 C=3
// D=2. "B minus C equals D" repeats what D < C already rules out.
const std::vector<std::string> kFourKey = {"*", "*", "D", "C", "*", "B", "*", "*", "*", "A"};
const corvale::testing::FixtureRow kLess = {"<", "D___", "C___", "____", "D is less than C"};
const corvale::testing::FixtureRow kSquare = {"*", "C___", "C___", "A___", "C times C equals A"};
const corvale::testing::FixtureRow kSquareB = {"*", "B___", "B___", "DB__", "B times B equals D B"};
const corvale::testing::FixtureRow kMinus = {"-", "B___", "C___", "D___", "B minus C equals D"};

TEST(PuzzleChecker, AcceptsAUniquePuzzleAndNamesItsRedundantRows) {
    Verdict v = checkpuzzle(puzzlefile({kLess, kSquare, kSquareB}, kFourKey), "four.txt");
    EXPECT_TRUE(v.valid);
    EXPECT_EQ("four.txt: valid, 4 symbols, 3 rows; rows needed: 1 2 3, redundant: none", v.line);

    v = checkpuzzle(puzzlefile({kLess, kSquare, kSquareB, kMinus}, kFourKey), "four.txt");
    EXPECT_TRUE(v.valid);
    EXPECT_EQ("four.txt: valid, 4 symbols, 4 rows; rows needed: 2 3, redundant: 1 4", v.line);
}

TEST(PuzzleChecker, NotesASentenceThatDoesNotSayItsRow) {
    corvale::testing::FixtureRow wrong = kSquare;
    wrong.text = "C times C equals B";
    const Verdict v = checkpuzzle(puzzlefile({kLess, wrong, kSquareB}, kFourKey), "four.txt");
    EXPECT_TRUE(v.valid);
    EXPECT_EQ(
        "four.txt: valid, 4 symbols, 3 rows; rows needed: 1 2 3, redundant: none; sentences "
        "that read differently from their row: 2",
        v.line);
}

TEST(PuzzleChecker, RejectsPuzzlesWithoutExactlyTheKeyAsAnswer) {
    const corvale::testing::FixtureRow square = {"*", "A___", "A___", "B___", "A times A equals B"};
    const struct {
        const char* name;
        std::string text;
        std::string line;
    } cases[] = {
        {"two solutions", puzzlefile({square}, {"*", "*", "A", "*", "B", "*", "*", "*", "*", "*"}),
         "x.txt: invalid: 2 solutions (A=2 B=4, A=3 B=9)"},
        {"more solutions than shown",
         puzzlefile({kLess}, {"*", "*", "D", "C", "*", "*", "*", "*", "*", "*"}),
         "x.txt: invalid: 45 solutions (C=1 D=0, C=2 D=0, C=3 D=0, ...)"},
        {"key breaks a row",
         puzzlefile({square}, {"*", "*", "*", "A", "*", "*", "*", "*", "B", "*"}),
         "x.txt: invalid: the answer key breaks row 1 (3 times 3 is 9, not 8); the rows have 2 "
         "solutions (A=2 B=4, A=3 B=9)"},
        {"key breaks a less-than row",
         puzzlefile({kLess, kSquare, kSquareB}, {"*", "*", "C", "D", "*", "B", "*", "*", "*", "A"}),
         "x.txt: invalid: the answer key breaks row 1 (3 is not less than 2); the rows have 1 "
         "solution (A=9 B=5 C=3 D=2)"},
        {"only answer has a leading zero",
         puzzlefile({{"-", "AB__", "A___", "B___", "A B minus A equals B"},
                     {"*", "B___", "B___", "B___", "B times B equals B"}},
                    {"A", "B", "*", "*", "*", "*", "*", "*", "*", "*"}),
         "x.txt: invalid: the answer key breaks row 1 (it starts the number AB__ with 0); the "
         "rows have no solution"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Verdict v = checkpuzzle(c.text, "x.txt");
        EXPECT_FALSE(v.valid);
        EXPECT_EQ(c.line, v.line);
    }
}

TEST(PuzzleChecker, ExplainsMalformedPuzzles) {
    const corvale::testing::FixtureRow good = {"*", "A___", "B___", "C___", "A times B equals C"};
    const std::vector<std::string> key = {"*", "*", "A", "B", "*", "*", "C", "*", "*", "*"};
    auto withrow = [&](corvale::testing::FixtureRow r) { return puzzlefile({r}, key); };
    auto withkey = [&](std::vector<std::string> k) { return puzzlefile({good}, k); };
    const struct {
        const char* name;
        std::string text;
        std::string line;
    } cases[] = {
        {"file ends early", "1\r\n\"*\"\r\nA___\r\n",
         "x.txt:4: the file ends before the second word of row 1"},
        {"unknown relation", withrow({"+", "A___", "B___", "C___", "A plus B equals C"}),
         "x.txt: invalid: row 1: the relation \"+\" is not one of \"*\", \"-\" or \"<\""},
        {"short word", withrow({"*", "A__", "B___", "C___", "A times B equals C"}),
         "x.txt: invalid: row 1: the first word \"A__\" must have exactly four positions "
         "(capital letters or _)"},
        {"lower-case symbol", withrow({"*", "A___", "b___", "C___", "A times b equals C"}),
         "x.txt: invalid: row 1: the second word \"b___\" holds \"b\", which is neither a "
         "capital letter nor _"},
        {"blank result", withrow({"*", "A___", "B___", "____", "A times B equals"}),
         "x.txt: invalid: row 1: the third word must not be blank (____)"},
        {"less-than with a third word", withrow({"<", "A___", "B___", "C___", "A is less than B"}),
         "x.txt: invalid: row 1: the third word must be blank (____) in a \"<\" row"},
        {"symbol not in key", withrow({"*", "A___", "B___", "D___", "A times B equals D"}),
         "x.txt: invalid: row 1: symbol D is not in the answer key"},
        {"key symbol unused", withkey({"D", "*", "A", "B", "*", "*", "C", "*", "*", "*"}),
         "x.txt: invalid: symbol D of the answer key is used in no row"},
        {"key symbol twice", withkey({"*", "*", "A", "B", "*", "*", "C", "*", "A", "*"}),
         "x.txt: invalid: the answer key gives symbol A two digits, 2 and 8"},
        {"key without symbols", puzzlefile({}, std::vector<std::string>(10, "*")),
         "x.txt: invalid: the answer key names no symbol, so the puzzle cannot be won"},
        {"key entry not a symbol", withkey({"*", "*", "A", "B", "*", "*", "C", "*", "xy", "*"}),
         "x.txt: invalid: the answer key for digit 8 is \"xy\"; it must be one capital letter, or "
         "* when no symbol has that digit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const Verdict v = checkpuzzle(c.text, "x.txt");
        EXPECT_FALSE(v.valid);
        EXPECT_EQ(c.line, v.line);
    }
}

}  // namespace
}  // namespace corvale::solver
