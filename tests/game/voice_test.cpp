// One voice at a time, on the virtual clock: a key that starts new speech
// stops what the keys before it started (the row, the clue number, a reading
// still waiting), quick keys are never lost, Ctrl stops what is waiting as
// well as what sounds, and Escape cuts the H sentence on its way to the menu.
#include "rig.h"

namespace corvale::testing {
namespace {

class OneVoice : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);
        start();
        choose(1);
        // voxlet speaks each clue number for 1.2 s, as flite takes for "Clue 1".
        os.spawnms = 1200;
    }
    // The clips played from `from` on, without their channels.
    std::vector<std::string> clipssince(std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < os.sounds.size(); ++i)
            if (os.sounds[i].op == "play") out.push_back(os.sounds[i].clip);
        return out;
    }
};

// --- Quick keys -------------------------------------------------------------

struct Quick {
    std::string name;
    long gap;  // ms between presses
};

void PrintTo(const Quick& q, std::ostream* out) {
    *out << q.name;
}

class QuickKeys : public OneVoice, public ::testing::WithParamInterface<Quick> {};

// Four Tabs bring the two-row puzzle back to clue 1; Q hears its A, and 5
// gives A the digit. Each clue reading gives way to the next key.
TEST_P(QuickKeys, TabsThenALetterAndADigitAreStoredAndConfirmed) {
    long gap = GetParam().gap, at = os.now;
    for (int i = 0; i < 4; ++i) os.pressat(at += gap, keyTab);
    os.pressat(at += gap, keyQ);
    os.pressat(at += gap, key5);
    std::size_t from = mark();
    os.run(at - os.now + 3000);

    EXPECT_EQ(Form1.clueindex, 1);
    EXPECT_EQ(Form1.scratchletter[1], "A");
    EXPECT_EQ(Form1.scratchdigit[1], "5");
    EXPECT_EQ(os.spawned.size(), 4u);
    // Every number but the last was cut off by the next Tab, the last by Q.
    EXPECT_EQ(os.spawnstops, 4);
    EXPECT_EQ(clipssince(from),
              (std::vector<std::string>{"\\sounds\\a.wav", "\\sounds\\A.wav",
                                        "\\sounds\\issetto.wav", "\\sounds\\5.wav"}));
}

INSTANTIATE_TEST_SUITE_P(Keys, QuickKeys,
                         ::testing::Values(Quick{"threeasecond", 300}, Quick{"tenasecond", 100}));

// --- A key during a row -----------------------------------------------------

struct During {
    std::string name;
    int code;
    std::vector<std::string> clips;  // all that is heard after the key
};

void PrintTo(const During& d, std::ostream* out) {
    *out << d.name;
}

class DuringARow : public OneVoice, public ::testing::WithParamInterface<During> {};

TEST_P(DuringARow, TheRowStopsAndOnlyTheKeysOwnSpeechIsHeard) {
    os.spawnms = 0;
    key(keyEnter);
    ticks(9);  // A and B have played; the rest of the row is scheduled
    std::size_t from = mark();
    key(GetParam().code);
    ticks(100);
    EXPECT_EQ(clipssince(from), GetParam().clips);
    // The clip that was sounding stopped with the key.
    bool stopped = false;
    for (std::size_t i = from; i < os.sounds.size(); ++i)
        stopped = stopped || (os.sounds[i].op == "stop" && os.sounds[i].clip == "\\sounds\\b.wav");
    EXPECT_TRUE(stopped);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, DuringARow,
    ::testing::Values(
        During{"space", keySpace, {"\\sounds\\substitute.wav"}},
        During{"enter",
               keyEnter,
               {"\\sounds\\a.wav", "\\sounds\\b.wav", "\\sounds\\times.wav", "\\sounds\\c.wav",
                "\\sounds\\equals.wav", "\\sounds\\d.wav", "\\sounds\\e.wav"}},
        During{"tab", keyTab, {"\\sounds\\c.wav", "\\sounds\\islessthan.wav", "\\sounds\\d.wav"}},
        During{"letter", keyW, {"\\sounds\\b.wav"}}));

// --- Ctrl while speech waits to start ---------------------------------------

struct Waiting {
    std::string name;
    int code;   // the key whose speech waits
    long ctrl;  // ms after it
};

void PrintTo(const Waiting& w, std::ostream* out) {
    *out << w.name;
}

class CtrlWhileWaiting : public OneVoice, public ::testing::WithParamInterface<Waiting> {};

TEST_P(CtrlWhileWaiting, NothingWaitingIsHeardAfterCtrl) {
    os.speechlength = 2000;
    os.pressat(os.now + GetParam().ctrl, keyCtrl, maskCtrl);
    std::size_t from = mark();
    key(GetParam().code);
    ticks(100);
    EXPECT_EQ(clipssince(from), std::vector<std::string>{});
    EXPECT_EQ(os.speech, std::vector<std::string>{});
    EXPECT_EQ(os.spawnstops, GetParam().code == keyH ? 0 : 1);
}

INSTANTIATE_TEST_SUITE_P(Ctrl, CtrlWhileWaiting,
                         ::testing::Values(Waiting{"readinginitspause", keyEnter, 200},
                                           Waiting{"readingwaitingforthenumber", keyTab, 800},
                                           Waiting{"sentenceinitspause", keyH, 100}));

// --- Escape during the H sentence -------------------------------------------

TEST_F(OneVoice, EscapeCutsTheSentenceAndLeadsToTheMenuAtOnce) {
    os.speechlength = 3000;
    long pressed = os.now;
    os.pressat(pressed + 700, keyEscape);
    std::size_t from = mark();
    key(keyH);
    EXPECT_EQ(os.now - pressed, 700);
    EXPECT_EQ(os.speechstopped, 1);
    EXPECT_EQ(Module1.menulevel, 1);
    ticks(1);
    // The menu is announced at the first tick after Escape.
    EXPECT_EQ(timedsince(from, pressed + 700),
              std::vector<std::string>{"0 \\sounds\\mainmenu.wav"});
}

}  // namespace
}  // namespace corvale::testing
