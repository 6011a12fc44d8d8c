// The four puzzles the game ships: each valid, of rising size and never
// needing less trial than the one before, laid out one field per line with
// CR LF line ends, and with sentences that say their rows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "puzzle/reader.h"
#include "solver/solver.h"

namespace corvale::solver {
namespace {

TEST(ShippedPuzzles, AreValidAndGrowHarderByLevel) {
    const int fewest[] = {3, 5, 7, 9};
    long long before = 0;  // the grade of the level before
    for (int level = 1; level <= 4; ++level) {
        const std::string name = "puzz" + std::to_string(level) + ".txt";
        SCOPED_TRACE(name);
        std::ifstream in(std::string(CORVALE_SOURCE_DIR) + "/puzzles/" + name, std::ios::binary);
        ASSERT_TRUE(in) << "cannot open " << name;
        std::ostringstream all;
        all << in.rdbuf();
        const std::string text = all.str();

        const Verdict v = checkpuzzle(text, name);
        EXPECT_TRUE(v.valid) << v.line;
        EXPECT_TRUE(v.line.ends_with("redundant: none")) << v.line;

        Puzzle p;
        ASSERT_EQ("", readpuzzle(text, name, p));
        Model m;
        Digits key;
        ASSERT_EQ("", buildmodel(p, m, key));
        const int symbols = static_cast<int>(m.symbols.size());
        EXPECT_GE(symbols, fewest[level - 1]);
        EXPECT_LE(symbols, fewest[level - 1] + 1);
        EXPECT_EQ(text, puzzletext(p));
        const Grade g = grade(m);
        EXPECT_GE(g.guesses, before) << "needs less trial than the level before";
        before = g.guesses;
    }
}

}  // namespace
}  // namespace corvale::solver
