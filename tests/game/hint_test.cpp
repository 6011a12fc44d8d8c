// The hint on the virtual clock: over the four shipped puzzles, at pads that
// are empty, partly right, wrong in one digit and solved, N says the step
// the row-by-row solver finds, in the game's words; it never touches the pad
// and counts itself in the marks file, which keeps the count across runs.
#include "rig.h"

namespace corvale::testing {
namespace {

class Hint : public Rig {
  protected:
    void SetUp() override {
        for (int n = 1; n <= 4; ++n) {
            const std::string name = "puzz" + std::to_string(n) + ".txt";
            writefile(workdir / name, readfile(fs::path(CORVALE_SOURCE_DIR) / "puzzles" / name));
        }
        start();
        ticks(1);
    }
    fs::path scratch(int n) const { return programdir / ("scratch" + std::to_string(n) + ".txt"); }
    fs::path marksfile(int n) const { return programdir / ("marks" + std::to_string(n) + ".txt"); }
    // Presses N and returns what the voice said.
    std::string hinted() {
        std::size_t from = os.speech.size();
        key('N');
        if (os.speech.size() != from + 1)
            return "(" + std::to_string(os.speech.size() - from) + " said)";
        return os.speech.back();
    }
};

// What the voice is handed: a lone A is spelt so that it is said as the
// letter ("Eigh"), as in every sentence of the game.
struct HintCase {
    std::string name;
    int puzzle;
    std::vector<std::string> pad;  // the scratch file's lines
    std::string said;              // what the voice says, without its rate and volume
};

void PrintTo(const HintCase& c, std::ostream* out) {
    *out << c.name;
}

class Hints : public Hint, public ::testing::WithParamInterface<HintCase> {};

TEST_P(Hints, SayTheNextStepAndLeaveThePad) {
    const HintCase& c = GetParam();
    writefile(scratch(c.puzzle), scratchtext(c.pad));
    choose(c.puzzle);
    EXPECT_EQ(hinted(), c.said + "|0|100");
    EXPECT_EQ(readfile(scratch(c.puzzle)), scratchtext(c.pad));
    EXPECT_EQ(readfile(marksfile(c.puzzle)), "1\r\n");
}

INSTANTIATE_TEST_SUITE_P(
    Shipped, Hints,
    ::testing::Values(
        HintCase{"OneEmpty", 1, {}, "Clue 1 settles D."},
        HintCase{"OnePartlyRight", 1, {"C", "3"}, "Clue 2 settles Eigh."},
        HintCase{"OneWrongDigit", 1, {"C", "3", "B", "6"}, "The pad does not fit clue 3."},
        HintCase{"OneSolved",
                 1,
                 {"A", "9", "B", "5", "C", "3", "D", "2"},
                 "Every letter has its digit, and the pad fits every clue."},
        HintCase{"TwoEmpty", 2, {}, "Clue 5 settles D."},
        HintCase{"TwoPartlyRight", 2, {"B", "7", "D", "1"}, "Clue 1 settles E."},
        HintCase{"TwoWrongDigit", 2, {"A", "9", "F", "3"}, "The pad does not fit clue 3."},
        HintCase{"TwoSolved",
                 2,
                 {"A", "9", "B", "7", "C", "5", "D", "1", "E", "0", "F", "4"},
                 "Every letter has its digit, and the pad fits every clue."},
        HintCase{"ThreeEmpty",
                 3,
                 {},
                 "The clues settle nothing more without a guess. B has the fewest candidates: 4."},
        HintCase{"ThreePartlyRight", 3, {"E", "6", "B", "0"}, "Clue 2 settles G."},
        HintCase{"ThreeWrongDigit", 3, {"H", "8"}, "The pad does not fit clue 1."},
        HintCase{"ThreeSolved",
                 3,
                 {"A", "4", "B", "0", "C", "9", "D", "2", "E", "6", "F", "5", "G", "1", "H", "7"},
                 "Every letter has its digit, and the pad fits every clue."},
        HintCase{"FourEmpty", 4, {}, "Clue 4 settles Eigh."},
        HintCase{"FourPartlyRight", 4, {"A", "8", "I", "4"}, "Clue 4 settles B."},
        HintCase{"FourWrongDigit", 4, {"H", "9", "I", "5"}, "The pad does not fit clue 4."},
        HintCase{"FourSolved",
                 4,
                 {"A", "8", "B", "6", "C", "2", "D", "3", "E", "1",
                  "F", "0", "G", "7", "H", "9", "I", "4", "J", "5"},
                 "Every letter has its digit, and the pad fits every clue."}));

// The count of hints is the puzzle's own and survives a restart of the
// game; the marks kept beside it are untouched.
TEST_F(Hint, TheHintsUsedAreCountedAcrossRuns) {
    writefile(marksfile(1), "0\r\nB,56\r\n");
    choose(1);
    hinted();
    hinted();
    rerun();
    choose(1);
    EXPECT_EQ(Form1.hintsused, 2);
    hinted();
    EXPECT_EQ(readfile(marksfile(1)), "3\r\nB,56\r\n");
    EXPECT_EQ(readfile(marksfile(2)), "");
}

// A puzzle of the player's own that the solver cannot take (a relation it
// does not know) gets a click, and no hint is counted.
TEST_F(Hint, APuzzleTheSolverCannotTakeClicks) {
    writefile(workdir / "puzz1.txt",
              "1\r\n\"?\",A___,B___,C___,A what B\r\n*,A,B,C,*,*,*,*,*,*\r\n");
    choose(1);
    std::size_t from = mark();
    long origin = os.now;
    EXPECT_EQ(hinted(), "(0 said)");
    EXPECT_EQ(timedsince(from, origin), std::vector<std::string>{"0 \\sounds\\click.wav"});
    EXPECT_FALSE(fs::exists(marksfile(1)));
}

}  // namespace
}  // namespace corvale::testing
