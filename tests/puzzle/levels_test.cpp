// New puzzles by level: seeds give puzzles the checker finds unique with
// every row needed, whose grade and size fall in their level, the same
// seed the same puzzle; a budget too small for the level still ends with a
// fair puzzle, the nearest in grade.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "puzzle/reader.h"
#include "solver/solver.h"

namespace corvale::solver {
namespace {

// Checks `made` against the checker and the grader; its level is not asked.
void expectfair(const Made& made) {
    const Verdict v = checkpuzzle(made.text, "new.txt");
    EXPECT_TRUE(v.valid) << v.line;
    EXPECT_TRUE(v.line.ends_with("redundant: none")) << v.line;
    Puzzle p;
    Model m;
    Digits key;
    ASSERT_EQ("", readpuzzle(made.text, "new.txt", p));
    ASSERT_EQ("", buildmodel(p, m, key));
    const Grade g = grade(m);
    EXPECT_EQ(g.solutions, 1);
    EXPECT_EQ(g.guesses, made.grade.guesses);
    EXPECT_EQ(static_cast<int>(m.symbols.size()), made.symbols);
}

TEST(Levels, SeedsGiveUniquePuzzlesInTheirLevel) {
    for (int n = 1; n <= kLevels; ++n) {
        for (std::uint64_t seed : {1u, 2u, 3u, 40u, 977u}) {
            SCOPED_TRACE("level " + std::to_string(n) + ", seed " + std::to_string(seed));
            Made made;
            ASSERT_EQ("", makelevel(n, seed, kMakeBudget, {}, made));
            expectfair(made);
            EXPECT_TRUE(made.inlevel);
            EXPECT_GE(made.grade.guesses, level(n).lowest);
            EXPECT_LE(made.grade.guesses, level(n).highest);
            EXPECT_GE(made.symbols, level(n).fewest);
            EXPECT_LE(made.symbols, level(n).most);
            EXPECT_LE(made.draws, kMakeBudget);

            Made again;
            ASSERT_EQ("", makelevel(n, seed, kMakeBudget, {}, again));
            EXPECT_EQ(made.text, again.text);
        }
    }
}

TEST(Levels, ABudgetTooSmallStillGivesAFairPuzzle) {
    int missed = 0;
    for (std::uint64_t seed = 1; seed <= 10; ++seed) {
        Made made;
        ASSERT_EQ("", makelevel(3, seed, 1, {}, made)) << seed;
        // A draw may give no puzzle; the next ones are taken until one does.
        EXPECT_GE(made.draws, 1);
        expectfair(made);
        missed += made.inlevel ? 0 : 1;
    }
    // Most single draws of ten symbols grade below hard.
    EXPECT_GT(missed, 0);
}

TEST(Levels, SentencesAreInTheWordsGiven) {
    Made made;
    ASSERT_EQ("", makelevel(2, 5, kMakeBudget, {"mal", "minus", "kleiner als", "gleich"}, made));
    // The line ends so only when every sentence reads as its row in these words.
    EXPECT_TRUE(checkpuzzle(made.text, "new.txt", {"mal", "minus", "kleiner als", "gleich"})
                    .line.ends_with("redundant: none"));
}

}  // namespace
}  // namespace corvale::solver
