// What players and their machines do that the happy path never does: leave a
// puzzle during the win, hold a key down, start a puzzle whose saved pad is
// unreadable, lose a save to a failing disk.
#include <cerrno>
#include <cstdint>

#include "puzzle/puzzle.h"
#include "rig.h"

namespace corvale::testing {
namespace {

class Faults : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);
        writefile(workdir / "puzz2.txt", twopuzzle);
        start();
        ticks(1);
    }
    fs::path scratch(int n = 1) const {
        return programdir / ("scratch" + std::to_string(n) + ".txt");
    }
    // Gives every symbol of the two-row puzzle but E its digit.
    void nearlywin() {
        for (auto [symbolkey, digit] : std::vector<std::pair<int, int>>{
                 {keyQ, key1}, {keyW, key3}, {keyA, key4}, {keyZ, key5}}) {
            key(symbolkey);
            key(digit);
        }
        ticks(25);
        key(keyX);
    }
};

// --- The win pause ----------------------------------------------------------

TEST_F(Faults, LeavingThePuzzleDuringTheWinPauseDropsTheRestOfTheWin) {
    choose(1);
    nearlywin();
    std::size_t from = mark();
    long won = os.now;
    // Win; during the 2.5 s pause: Escape, down to Puzzle 2, Enter.
    for (int k : {keyEscape, keyTab, keyTab, keyTab, keyEnter}) os.pressat(won + 200, k);
    key(key2);
    ticks(60);
    EXPECT_EQ(Form1.level, 2);
    EXPECT_EQ(Module1.menulevel, 0) << "the finished win took the keyboard from puzzle 2";
    for (const std::string& play : playssince(from))
        EXPECT_EQ(play.find("mainmenu.wav"), std::string::npos) << play;
    // Puzzle 2 is in play: its keys work.
    key(keyQ);
    ticks(5);
    EXPECT_EQ(Form1.selectedletter, "A");
}

TEST_F(Faults, EscapeDuringTheWinPauseLeavesTheMenuWhereThePlayerPutIt) {
    choose(1);
    nearlywin();
    long won = os.now;
    os.pressat(won + 200, keyEscape);
    os.pressat(won + 300, keyTab);
    os.pressat(won + 400, keyTab);
    key(key2);
    ticks(60);
    EXPECT_EQ(Module1.menulevel, 1);
    EXPECT_EQ(Module1.menuitem, 2) << "the win reset the cursor the player had moved";
}

// --- A held key -------------------------------------------------------------

int deepest = 0;
void measuringkeydown(int& keycode, int& shift, bool repeat) {
    deepest = std::max(deepest, Form1.pausedepth);
    Form_KeyDown(keycode, shift, repeat);
}

struct Held {
    const char* name;
    int code;
};

void PrintTo(const Held& h, std::ostream* out) {
    *out << h.name;
}

class HeldKey : public Faults, public ::testing::WithParamInterface<Held> {};

// Auto-repeat sends a key every 33 ms, each marked as repeated. Tab and Enter read a clue, which
// pauses; every repeat lands inside the pause of the one before.
TEST_P(HeldKey, FiveMinutesOfOneKeyNestsBoundedPauses) {
    choose(1);
    deepest = 0;
    os.handlers.keydown = measuringkeydown;
    const long minutes = 5, start = os.now, end = start + minutes * 60 * 1000;
    for (long t = start; t < end; t += 33) os.pressat(t, GetParam().code, 0, t != start);
    os.run(end - start + 2000);
    EXPECT_FALSE(os.ended);
    EXPECT_LE(deepest, 4);
    EXPECT_EQ(Form1.pausedepth, 0);
    // Speech for the clue numbers: a few a second, not one a repeat.
    EXPECT_LT(os.spawned.size(), static_cast<std::size_t>(minutes * 60 * 10));
    // The game still answers.
    key(keyEscape);
    EXPECT_EQ(Module1.menulevel, 1);
}

INSTANTIATE_TEST_SUITE_P(Keys, HeldKey,
                         ::testing::Values(Held{"Tab", keyTab}, Held{"Enter", keyEnter},
                                           Held{"H", keyH}));

TEST_F(Faults, EscapeIsHeardEvenDeepInsidePauses) {
    choose(1);
    for (int i = 0; i < 6; ++i) os.pressat(os.now + i, keyTab);
    os.pressat(os.now + 10, keyEscape);
    os.run(20);
    EXPECT_EQ(Module1.menulevel, 1);
}

// --- An unreadable pad ------------------------------------------------------

struct Unreadable {
    const char* name;
    std::string text;
};

void PrintTo(const Unreadable& u, std::ostream* out) {
    *out << u.name;
}

class BadPad : public Faults, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(BadPad, IsSetAsideAndThePuzzleStartsWithAnEmptyPad) {
    const std::string text = GetParam().text;
    writefile(scratch(), text);
    keys({keyTab, keyTab});
    std::size_t from = mark();
    key(keyEnter);
    ticks(20);
    EXPECT_FALSE(os.ended);
    for (int i = 1; i <= 10; ++i) EXPECT_EQ(Form1.scratchletter[i], "") << "slot " << i;
    EXPECT_FALSE(fs::exists(scratch()));
    EXPECT_EQ(readfile(programdir / "scratch1.txt.unreadable"), text);
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_NE(os.notes[0].find(scratch().string() + ":"), std::string::npos) << os.notes[0];
    EXPECT_NE(os.notes[0].find("scratch1.txt.unreadable"), std::string::npos) << os.notes[0];
    EXPECT_EQ(playssince(from),
              (std::vector<std::string>{"0: \\sounds\\begin.wav", "0: \\sounds\\padaside.wav"}));
    // Play goes on and saves a fresh pad.
    keys({keyQ, key1});
    EXPECT_EQ(readfile(scratch()), scratchtext({"A", "1"}));
}

INSTANTIATE_TEST_SUITE_P(Files, BadPad,
                         ::testing::Values(Unreadable{"cutshort", "A\r\n1\r\n"},
                                           Unreadable{"digit12", scratchtext({"A", "12"})},
                                           Unreadable{"symbolwithoutdigit", scratchtext({"A", ""})},
                                           Unreadable{"nocliptosayit", scratchtext({"\xFF", "1"})},
                                           Unreadable{"anothertool", "{\"A\": 1}\n"}));

// A pad the game cannot even open goes the same way as one it cannot parse.
struct Unopenable {
    const char* name;
    std::uintmax_t size;  // the pad made this large (sparse), or left as written
    int error;            // the read refused with this, or not at all
    const char* reason;
};

void PrintTo(const Unopenable& u, std::ostream* out) {
    *out << u.name;
}

class UnopenablePad : public Faults, public ::testing::WithParamInterface<Unopenable> {};

TEST_P(UnopenablePad, IsSetAsideAndThePuzzleStartsWithAnEmptyPad) {
    const Unopenable& u = GetParam();
    writefile(scratch(), scratchtext({"A", "1"}));
    if (u.size) fs::resize_file(scratch(), u.size);
    const std::uintmax_t size = fs::file_size(scratch());
    os.failfile = "scratch1.txt";
    os.failstep = u.error ? "read" : "";
    os.failerror = u.error;
    choose(1);
    EXPECT_FALSE(os.ended);
    EXPECT_EQ(Form1.scratchletter[1], "");
    EXPECT_EQ(fs::file_size(programdir / "scratch1.txt.unreadable"), size);
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_NE(os.notes[0].find(scratch().string() + ": " + u.reason), std::string::npos)
        << os.notes[0];
    keys({keyQ, key1});
    EXPECT_EQ(readfile(scratch()), scratchtext({"A", "1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, UnopenablePad,
    ::testing::Values(Unopenable{"anotherusers", 0, EACCES, "Permission denied"},
                      Unopenable{"hundredmegabytes", 100u << 20, 0, "it holds 104857600 bytes"}));

TEST_F(Faults, ASecondUnreadablePadDoesNotReplaceTheFirstSetAside) {
    writefile(programdir / "scratch1.txt.unreadable", "first");
    writefile(scratch(), "second");
    choose(1);
    EXPECT_EQ(readfile(programdir / "scratch1.txt.unreadable"), "first");
    EXPECT_EQ(readfile(programdir / "scratch1.txt.unreadable.2"), "second");
}

TEST_F(Faults, ASaveCutShortByAKillLeavesNoTemporaryFileBehind) {
    writefile(scratch(), scratchtext({"A", "1"}));
    writefile(programdir / "scratch1.txt.new", "A\r\n");
    choose(1);
    EXPECT_FALSE(fs::exists(programdir / "scratch1.txt.new"));
    EXPECT_EQ(Form1.scratchdigit[1], "1");
}

// --- Failing files ----------------------------------------------------------

struct FileFault {
    const char* name;
    std::string file, step;
    int error;
    const char* reason;  // as the report gives it
};

void PrintTo(const FileFault& f, std::ostream* out) {
    *out << f.name;
}

class Disk : public Faults, public ::testing::WithParamInterface<FileFault> {};

// A digit is given while the disk fails: the old pad stays whole on disk,
// nothing temporary is left, and the game ends with a report naming the file.
TEST_P(Disk, AFailedSaveKeepsTheOldPadAndNamesTheFile) {
    const FileFault& f = GetParam();
    writefile(scratch(), scratchtext({"A", "1"}));
    choose(1);
    os.failfile = f.file;
    os.failstep = f.step;
    os.failerror = f.error;
    key(keyW);
    try {
        key(key3);
        FAIL() << "saved";
    } catch (const Failure& e) {
        std::string report = e.what();
        EXPECT_NE(report.find(scratch().string()), std::string::npos) << report;
        EXPECT_NE(report.find(f.reason), std::string::npos) << report;
    }
    EXPECT_EQ(readfile(scratch()), scratchtext({"A", "1"}));
    EXPECT_FALSE(fs::exists(programdir / "scratch1.txt.new"));
}

INSTANTIATE_TEST_SUITE_P(
    Saves, Disk,
    ::testing::Values(
        FileFault{"writefails", "scratch1.txt", "write", EIO, "Input/output error"},
        FileFault{"diskfull", "scratch1.txt", "write", ENOSPC, "No space left on device"},
        FileFault{"flushfails", "scratch1.txt", "fsync", EIO, "Input/output error"},
        FileFault{"renamerefused", "scratch1.txt", "rename", EACCES, "Permission denied"}));

TEST_F(Faults, AnUnreadablePadThatCannotBeSetAsideEndsTheGameAndStaysPut) {
    writefile(scratch(), "A\r\n");
    os.failfile = "scratch1.txt";
    os.failstep = "rename";
    os.failerror = EACCES;
    keys({keyTab, keyTab});
    try {
        key(keyEnter);
        FAIL() << "loaded";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find(scratch().string()), std::string::npos) << e.what();
    }
    EXPECT_EQ(readfile(scratch()), "A\r\n");
}

TEST_F(Faults, AFailedReadOfThePuzzleNamesIt) {
    os.failfile = "puzz1.txt";
    os.failstep = "read";
    keys({keyTab, keyTab});
    try {
        key(keyEnter);
        FAIL() << "loaded";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("puzz1.txt: Input/output error"), std::string::npos)
            << e.what();
    }
}

}  // namespace
}  // namespace corvale::testing
