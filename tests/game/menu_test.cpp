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
                         ::testing::Values(FreshKey{Tab, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{Right, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{Down, 1, "\\sounds\\intro.wav", 1},
                                           FreshKey{Enter, 0, "\\sounds\\intro.wav", 1},
                                           FreshKey{Tab, 1, "\\sounds\\exit.wav", 6},
                                           FreshKey{Left, 0, "\\sounds\\exit.wav", 6},
                                           FreshKey{Up, 2, "\\sounds\\exit.wav", 6},
                                           FreshKey{Tab, 2, "\\sounds\\exit.wav", 6},
                                           FreshKey{Escape, 0, "\\sounds\\mainmenu.wav", 0}));

TEST_F(Menu, TheCursorWrapsBothWays) {
    std::vector<std::string> heard;
    for (int i = 0; i < 7; ++i) {
        key(Tab);
        heard.push_back(announced());
    }
    key(Tab, 1);
    heard.push_back(announced());
    key(Tab, 1);
    heard.push_back(announced());
    EXPECT_EQ(heard, (std::vector<std::string>{
                         "\\sounds\\intro.wav", "\\sounds\\lvl1.wav", "\\sounds\\lvl2.wav",
                         "\\sounds\\lvl3.wav", "\\sounds\\lvl4.wav", "\\sounds\\exit.wav",
                         "\\sounds\\intro.wav", "\\sounds\\exit.wav", "\\sounds\\lvl4.wav"}));
}

TEST_F(Menu, CtrlTabRepeatsTheCurrentItem) {
    keys("\t\t\t");
    key(Tab, 2);
    EXPECT_EQ(announced(), "\\sounds\\lvl2.wav");
    EXPECT_EQ(Module1.menuitem, 3);
}

TEST_F(Menu, EnterOnTheIntroductionPlaysItAndKeepsTheCursor) {
    key(Tab);
    key(Enter);
    // The keys, then how a puzzle works.
    EXPECT_EQ(Form1.List1, (std::deque<std::string>{dir() + "\\sounds\\intro2.wav",
                                                    dir() + "\\sounds\\intro3.wav"}));
    EXPECT_EQ(Module1.menuitem, 1);
    key(Tab);
    EXPECT_EQ(announced(), "\\sounds\\lvl1.wav");
}

TEST_F(Menu, QuickKeysLeaveOnlyTheLastAnnouncementQueued) {
    key(Tab);
    ticks(1);
    keys("\t\t\t");
    ticks(3);
    EXPECT_EQ(os.plays(),
              (std::vector<std::string>{"0: \\sounds\\intro.wav", "0: \\sounds\\lvl3.wav"}));
}

TEST_F(Menu, OtherKeysDoNothingInTheMenu) {
    key(Tab);
    ticks(1);
    os.sounds.clear();
    for (int code : std::vector<int>{'5', '0', 'Q', 'A', 'H', Space, Shift, Alt, Windows, 96})
        key(code);
    ticks(5);
    EXPECT_TRUE(os.sounds.empty());
    EXPECT_EQ(Module1.menuitem, 1);
    EXPECT_EQ(Form1.level, 0);
}

TEST_F(Menu, ModifierKeysAloneDoNothingDuringPlay) {
    choose(1);
    os.sounds.clear();
    for (int code : {Shift, Alt, Windows}) key(code);
    ticks(5);
    EXPECT_TRUE(os.sounds.empty());
}

TEST_F(Menu, ChoosingAPuzzleBeginsItAndKeysGoToPlay) {
    keys("\t\t");
    key(Enter);
    EXPECT_EQ(Form1.level, 1);
    EXPECT_EQ(Module1.menulevel, 0);
    EXPECT_EQ(Form1.cluecount, 2);
    EXPECT_EQ(Form1.cluetext[2], "C is less than D");
    // The menu's last announcement never got its tick: begin replaced it.
    EXPECT_EQ(playssince(0), std::vector<std::string>{"0: \\sounds\\begin.wav"});
    key(Tab);  // now the next clue, not a menu item
    EXPECT_EQ(Form1.clueindex, 2);
}

TEST_F(Menu, EscapeFromPlayKeepsTheLevelAndThePad) {
    choose(1);
    key('Q');
    key('1');
    key('W');  // still scheduled when Escape comes
    key(Escape);
    EXPECT_EQ(Module1.menulevel, 1);
    EXPECT_EQ(Module1.menuitem, 0);
    EXPECT_EQ(Form1.level, 1);
    EXPECT_EQ(Form1.scratchletter[1], "A");
    EXPECT_EQ(Form1.schedcount, 0);
    std::size_t from = mark();
    ticks(3);
    EXPECT_EQ(playssince(from), std::vector<std::string>{"0: \\sounds\\mainmenu.wav"});
    key(Tab);
    EXPECT_EQ(announced(), "\\sounds\\intro.wav");
}

TEST_F(Menu, TheExitItemEndsTheProgramAtOnce) {
    key(Tab, 1);
    key(Enter);
    EXPECT_TRUE(os.ended);
}

}  // namespace
}  // namespace corvale::testing
