// Key routing and the spoken main menu.
#include "rig.h"

namespace corvale::testing {
namespace {

class Menu : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);
        start();
        ticks(1);
        os.sounds.clear();
    }
    // The clip the next tick plays on the voice channel, and nothing else queued.
    std::string announced() {
        EXPECT_LE(Form1.List1.size(), 1u);
        return Form1.List1.empty() ? "" : Form1.List1.front().substr(dir().size());
    }
};

struct FreshKey {
    int code, mask;
    std::string clip;
    int cursor;
};

void PrintTo(const FreshKey& k, std::ostream* out) {
    *out << k.code << "+" << k.mask;
}

class FreshMenu : public Menu, public ::testing::WithParamInterface<FreshKey> {};

TEST_P(FreshMenu, AKeyOnAFreshMenuAnnouncesItsItem) {
    key(GetParam().code, GetParam().mask);
    EXPECT_EQ(announced(), GetParam().clip);
    EXPECT_EQ(Module1.menuitem, GetParam().cursor);
    ticks(1);
    EXPECT_EQ(os.plays(), std::vector<std::string>{"0: " + GetParam().clip});
}

INSTANTIATE_TEST_SUITE_P(Keys, FreshMenu,
                         ::testing::Values(FreshKey{keyTab, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{keyRight, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{keyDown, maskShift, "\\sounds\\intro.wav", 1},
                                           FreshKey{keyEnter, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{keyTab, maskShift, "\\sounds\\exit.wav", 9},
                                           FreshKey{keyLeft, 0, "\\sounds\\exit.wav", 9},
                                           FreshKey{keyUp, maskCtrl, "\\sounds\\exit.wav", 9},
                                           FreshKey{keyTab, maskCtrl, "\\sounds\\exit.wav", 9},
                                           FreshKey{keyEscape, 0, "\\sounds\\mainmenu.wav", 0}));

TEST_F(Menu, TheCursorWrapsBothWays) {
    std::vector<std::string> heard;
    for (int i = 0; i < 10; ++i) {
        key(keyTab);
        heard.push_back(announced());
    }
    key(keyTab, maskShift);
    heard.push_back(announced());
    key(keyTab, maskShift);
    heard.push_back(announced());
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "\\sounds\\intro.wav", "\\sounds\\lvl1.wav", "\\sounds\\lvl2.wav",
                         "\\sounds\\lvl3.wav", "\\sounds\\lvl4.wav", "\\sounds\\neweasy.wav",
                         "\\sounds\\newmedium.wav", "\\sounds\\newhard.wav", "\\sounds\\exit.wav",
                         "\\sounds\\intro.wav", "\\sounds\\exit.wav", "\\sounds\\newhard.wav"}));
}

TEST_F(Menu, CtrlTabRepeatsTheCurrentItem) {
    keys({keyTab, keyTab, keyTab});
    key(keyTab, maskCtrl);
    EXPECT_EQ(announced(), "\\sounds\\lvl2.wav");
    EXPECT_EQ(Module1.menuitem, 3);
}

// Coming back to the window says where the player is; the focus it gets
// when it first shows says nothing over the welcome.
TEST_F(Menu, ReturningToTheWindowSaysWhereThePlayerIs) {
    os.handlers.focus(true);  // the window shown at start-up
    EXPECT_EQ(announced(), "");
    keys({keyTab, keyTab});
    ticks(1);
    os.handlers.focus(false);
    os.handlers.focus(true);
    EXPECT_EQ(announced(), "\\sounds\\lvl1.wav");
    key(keyEnter);  // puzzle 1
    ticks(20);
    // In a puzzle: the puzzle and the clue's number, shown while said.
    os.speechlength = 1000;
    os.handlers.focus(false);
    os.handlers.focus(true);
    key(keyTab);
    ticks(60);
    const std::size_t from = os.screens.size();
    os.handlers.focus(false);
    os.handlers.focus(true);
    EXPECT_EQ(os.speech,
              (std::vector<std::string>{"Puzzle 1. Clue 1|0|100", "Puzzle 1. Clue 2|0|100"}));
    EXPECT_EQ(announced(), "");
    ASSERT_GT(os.screens.size(), from);
    EXPECT_EQ(os.screens[from].lines.at(0), "Puzzle 1. Clue 2");
    ticks(1);
    os.handlers.focus(true);  // no loss in between: nothing more
    EXPECT_EQ(os.speech.size(), 2u);
    EXPECT_EQ(announced(), "");
}

TEST_F(Menu, EnterOnTheIntroductionPlaysItAndKeepsTheCursor) {
    key(keyTab);
    key(keyEnter);
    // The keys, then how a puzzle works.
    EXPECT_EQ(Form1.List1, (std::deque<std::string>{dir() + "\\sounds\\intro2.wav",
                                                    dir() + "\\sounds\\intro3.wav"}));
    EXPECT_EQ(Module1.menuitem, 1);
    key(keyTab);
    EXPECT_EQ(announced(), "\\sounds\\lvl1.wav");
}

TEST_F(Menu, QuickKeysLeaveOnlyTheLastAnnouncementQueued) {
    key(keyTab);
    ticks(1);
    keys({keyTab, keyTab, keyTab});
    ticks(3);
    EXPECT_EQ(os.plays(),
              (std::vector<std::string>{"0: \\sounds\\intro.wav", "0: \\sounds\\lvl3.wav"}));
}

TEST_F(Menu, OtherKeysDoNothingInTheMenu) {
    key(keyTab);
    ticks(1);
    os.sounds.clear();
    for (int code :
         std::vector<int>{key5, key0, keyQ, keyA, keyH, keySpace, keyShift, keyAlt, keyWindows, 96})
        key(code);
    ticks(5);
    EXPECT_TRUE(os.sounds.empty());
    EXPECT_EQ(Module1.menuitem, 1);
    EXPECT_EQ(Form1.level, 0);
}

TEST_F(Menu, ModifierKeysAloneDoNothingDuringPlay) {
    choose(1);
    os.sounds.clear();
    for (int code : {keyShift, keyAlt, keyWindows}) key(code);
    ticks(5);
    EXPECT_TRUE(os.sounds.empty());
}

TEST_F(Menu, ChoosingAPuzzleBeginsItAndKeysGoToPlay) {
    keys({keyTab, keyTab});
    key(keyEnter);
    EXPECT_EQ(Form1.level, 1);
    EXPECT_EQ(Module1.menulevel, 0);
    EXPECT_EQ(Form1.cluecount, 2);
    EXPECT_EQ(Form1.cluetext[2], "C is less than D");
    // The menu's last announcement never got its tick: begin replaced it.
    EXPECT_EQ(playssince(0), std::vector<std::string>{"0: \\sounds\\begin.wav"});
    key(keyTab);  // now the next clue, not a menu item
    EXPECT_EQ(Form1.clueindex, 2);
}

TEST_F(Menu, EscapeFromPlayKeepsTheLevelAndThePad) {
    choose(1);
    key(keyQ);
    key(key1);
    key(keyW);  // still scheduled when Escape comes
    key(keyEscape);
    EXPECT_EQ(Module1.menulevel, 1);
    EXPECT_EQ(Module1.menuitem, 0);
    EXPECT_EQ(Form1.level, 1);
    EXPECT_EQ(Form1.scratchletter[1], "A");
    EXPECT_EQ(Form1.schedcount, 0);
    std::size_t from = mark();
    ticks(3);
    EXPECT_EQ(playssince(from), std::vector<std::string>{"0: \\sounds\\mainmenu.wav"});
    key(keyTab);
    EXPECT_EQ(announced(), "\\sounds\\intro.wav");
}

TEST_F(Menu, TheExitItemEndsTheProgramAtOnce) {
    key(keyTab, maskShift);
    key(keyEnter);
    EXPECT_TRUE(os.ended);
}

}  // namespace
}  // namespace corvale::testing
