// The puzzle generator: every symbol count from 3 to 10 gives puzzles the
// checker accepts, with no redundant row and sentences that say their rows;
// a seed always gives the same file; bad options are refused.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "puzzle/reader.h"
#include "solver/solver.h"

namespace corvale::solver {
namespace {

TEST(PuzzleGenerator, MakesValidMinimalPuzzlesForEverySymbolCount) {
    for (int symbols = 3; symbols <= 10; ++symbols) {
        for (std::uint64_t seed : {1u, 2u, 77u}) {
            SCOPED_TRACE(std::to_string(symbols) + " symbols, seed " + std::to_string(seed));
            std::string text;
            ASSERT_EQ("", generate({symbols, seed, 16}, text));
            const Verdict v = checkpuzzle(text, "new.txt");
            EXPECT_TRUE(v.valid) << v.line;
            EXPECT_NE(std::string::npos,
                      v.line.find("valid, " + std::to_string(symbols) + " symbols"))
                << v.line;
            // "redundant: none" ends the line only when every sentence says its row too.
            EXPECT_TRUE(v.line.ends_with("redundant: none")) << v.line;

            Puzzle p;
            ASSERT_EQ("", readpuzzle(text, "new.txt", p));
            EXPECT_LE(p.cluecount, 16);
            EXPECT_EQ(text, puzzletext(p));  // one field per line, quoted relations, CR LF
        }
    }
}

TEST(PuzzleGenerator, SameSeedSameFile) {
    std::string first, second, other;
    ASSERT_EQ("", generate({7, 42, 16}, first));
    ASSERT_EQ("", generate({7, 42, 16}, second));
    ASSERT_EQ("", generate({7, 43, 16}, other));
    EXPECT_EQ(first, second);
    EXPECT_NE(first, other);
}

TEST(PuzzleGenerator, KeepsToTheRowLimit) {
    for (std::uint64_t seed = 1; seed <= 5; ++seed) {
        std::string text;
        const std::string error = generate({6, seed, 3}, text);
        if (!error.empty()) continue;  // a seed may find no puzzle that short
        Puzzle p;
        ASSERT_EQ("", readpuzzle(text, "new.txt", p));
        EXPECT_LE(p.cluecount, 3);
    }
}

TEST(PuzzleGenerator, RefusesBadOptions) {
    std::string text = "untouched";
    EXPECT_EQ("the number of symbols must be from 3 to 10", generate({2, 1, 16}, text));
    EXPECT_EQ("the number of symbols must be from 3 to 10", generate({11, 1, 16}, text));
    EXPECT_EQ("the number of rows must be from 1 to 16", generate({5, 1, 0}, text));
    EXPECT_EQ("the number of rows must be from 1 to 16", generate({5, 1, 17}, text));
    EXPECT_EQ("untouched", text);
}

}  // namespace
}  // namespace corvale::solver
