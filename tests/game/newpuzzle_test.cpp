// New puzzles made in the game: a level's puzzle is made once and kept in
// the save folder with its pad until it is won, then a fresh one is made; a
// puzzle of the player's own in the working folder still comes first.
#include "rig.h"

namespace corvale::testing {
namespace {

constexpr int easy = 5, medium = 6;

class NewPuzzle : public Rig {
  protected:
    fs::path savedir;

    void SetUp() override {
        savedir = root / "save";
        fs::create_directories(savedir);
        os.savedir = savedir.string();
        start();
        ticks(1);
    }

    // The puzzle in play, as the file it was read from says it.
    std::string rows() const {
        std::string out;
        for (int i = 1; i <= Form1.cluecount; ++i) out += Form1.cluetext[i] + "\n";
        for (int d = 0; d <= 9; ++d) out += Form1.answerkey[d];
        return out;
    }

    // Gives every symbol but the first of clue 1 its digit on the pad,
    // then that one by keys: Q hears it and its digit wins.
    void win() {
        const std::string last(1, Form1.cluea[1][0]);
        int slot = 1;
        for (int d = 0; d <= 9; ++d) {
            if (Form1.answerkey[d] == "*" || Form1.answerkey[d] == last) continue;
            Form1.scratchletter[slot] = Form1.answerkey[d];
            Form1.scratchdigit[slot++] = std::to_string(d);
        }
        key(keyQ);
        for (int d = 0; d <= 9; ++d)
            if (Form1.answerkey[d] == last) key(key0 + d);
        ticks(60);
    }
};

TEST_F(NewPuzzle, ALevelKeepsItsPuzzleUntilWonThenMakesAFreshOne) {
    choose(easy);
    ASSERT_EQ(Form1.level, easy);
    ASSERT_TRUE(fs::exists(savedir / "puzz5.txt"));
    EXPECT_FALSE(fs::exists(workdir / "puzz5.txt"));
    EXPECT_GE(Form1.cluecount, 1);
    const std::string first = rows();
    const std::string file = readfile(savedir / "puzz5.txt");

    key(keyEscape);
    choose(easy);
    EXPECT_EQ(rows(), first);
    EXPECT_EQ(readfile(savedir / "puzz5.txt"), file);

    win();
    EXPECT_EQ(Module1.menulevel, 1) << "no win";
    EXPECT_FALSE(fs::exists(savedir / "puzz5.txt"));
    choose(easy);
    EXPECT_NE(rows(), first);
    EXPECT_TRUE(fs::exists(savedir / "puzz5.txt"));
    // The won puzzle's pad went with it.
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(Form1.scratchletter[i], "") << i;
}

TEST_F(NewPuzzle, ThePadIsSavedBesideThePuzzleAndReadBack) {
    choose(easy);
    const std::string symbol(1, Form1.cluea[1][0]);
    key(keyQ);
    key(key7);
    EXPECT_EQ(readfile(savedir / "scratch5.txt"), scratchtext({symbol, "7"}));
    key(keyEscape);
    choose(medium);
    key(keyEscape);
    choose(easy);
    EXPECT_EQ(Form1.scratchletter[1], symbol);
    EXPECT_EQ(Form1.scratchdigit[1], "7");
}

TEST_F(NewPuzzle, AMediumPuzzleSaysItIsBeingMadeAndKeepsTheBeginClip) {
    std::size_t from = mark();
    choose(medium);
    std::vector<std::string> heard = playssince(from);
    ASSERT_GE(heard.size(), 2u);
    EXPECT_NE(heard[0].find("\\sounds\\making.wav"), std::string::npos) << heard[0];
    EXPECT_EQ(heard[1], "0: \\sounds\\begin.wav");
}

TEST_F(NewPuzzle, AnUnreadableMadePuzzleIsSetAsideAndANewOneMade) {
    writefile(savedir / "puzz5.txt", "3\r\n\"*\"\r\n");
    choose(easy);
    EXPECT_EQ(Module1.menulevel, 0);
    EXPECT_GE(Form1.cluecount, 1);
    EXPECT_EQ(readfile(savedir / "puzz5.txt.unreadable"), "3\r\n\"*\"\r\n");
}

TEST_F(NewPuzzle, APlayersOwnPuzzleInTheWorkingFolderComesFirst) {
    writefile(workdir / "puzz5.txt", twopuzzle);
    choose(easy);
    EXPECT_EQ(Form1.cluetext[2], "C is less than D");
    EXPECT_FALSE(fs::exists(savedir / "puzz5.txt"));
    win();
    EXPECT_TRUE(fs::exists(workdir / "puzz5.txt")) << "a player's own puzzle was removed";
}

}  // namespace
}  // namespace corvale::testing
