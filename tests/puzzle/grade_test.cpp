// The grader: how many guesses a row-by-row solver needs, on small puzzles
// whose reasoning can be followed by hand, and a cross-check that its
// narrowing never loses an answer the plain solver finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/puzzle/fixtures.h"
#include "solver/solver.h"

namespace corvale::solver {
namespace {

using corvale::testing::FixtureRow;
using corvale::testing::puzzlefile;

Model modelof(const std::string& text) {
    Puzzle p;
    EXPECT_EQ("", readpuzzle(text, "fixture.txt", p));
    Model m;
    Digits key;
    EXPECT_EQ("", buildmodel(p, m, key));
    return m;
}

const FixtureRow square{"*", "A___", "A___", "BA__", "A times A equals B A"};

TEST(Grade, CountsTheGuessesWhenTheRowsAloneDoNotLeadToTheAnswer) {
    struct Case {
        const char* name;
        std::vector<FixtureRow> rows;
        std::vector<std::string> key;
        long long guesses, solutions;
    };
    const Case cases[] = {
        // 10C + A - B = C pins C=1, A=0, B=9 within the row.
        {"onerow",
         {{"-", "CA__", "B___", "C___", "C A minus B equals C"}},
         {"A", "C", "*", "*", "*", "*", "*", "*", "*", "B"},
         0,
         1},
        // A*A ends in A: 25 or 36. A-B=C rules out 36 (C would be 3 like B),
        // but only once A is tried: each row alone still allows both.
        {"needsatrial",
         {square, {"-", "A___", "B___", "C___", "A minus B equals C"}},
         {"*", "*", "B", "C", "*", "A", "*", "*", "*", "*"},
         2,
         1},
        // Both 25 and 36 stand: two guesses, two answers.
        {"ambiguous", {square}, {"*", "*", "B", "*", "*", "A", "*", "*", "*", "*"}, 2, 2},
    };
    for (const Case& c : cases) {
        const Grade g = grade(modelof(puzzlefile(c.rows, c.key)));
        EXPECT_EQ(g.guesses, c.guesses) << c.name;
        EXPECT_EQ(g.solutions, c.solutions) << c.name;
    }
}

TEST(Grade, FindsExactlyTheAnswersOfTheSolver) {
    for (int symbols = 3; symbols <= 10; ++symbols) {
        for (std::uint64_t seed = 1; seed <= 3; ++seed) {
            std::string text;
            ASSERT_EQ("", generate({symbols, seed, 16}, text));
            Model m = modelof(text);
            // Without its last row a puzzle may have several answers.
            for (bool whole : {true, false}) {
                if (!whole) m.rows.pop_back();
                EXPECT_EQ(grade(m).solutions, solve(m, 1000000, 0).count)
                    << symbols << " symbols, seed " << seed << (whole ? "" : ", a row less");
            }
        }
    }
}

}  // namespace
}  // namespace corvale::solver
