// Ctrl, the key that silences speech, on the virtual clock: it cuts the H
// sentence short and the game goes straight on; at any other time it stops
// the voice channel and drops whatever is queued or scheduled; and it never
// touches the menu, the puzzle or the pad.
#include <algorithm>

#include "rig.h"

namespace corvale::testing {
namespace {

class Silence : public Rig {
  protected:
    void SetUp() override {
        // The introduction is long enough to be still playing when Ctrl comes.
        writefile(programdir / "soundchart.txt", "\\sounds\\intro2.wav\r\n300\r\n");
        writefile(workdir / "puzz1.txt", twopuzzle);
        start();
        ticks(1);
    }
    // Calls the game made on the voice channel's buffer from `from` on.
    std::vector<std::string> voicechannel(std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < os.sounds.size(); ++i)
            if (os.sounds[i].channel == 0) out.push_back(os.sounds[i].op);
        return out;
    }
};

// --- Ctrl during the H sentence ---------------------------------------------

struct Interruption {
    std::string name;
    long ctrl;      // ms after H is pressed; < 0: no Ctrl
    long returned;  // ms after H is pressed when the key's work is done
};

void PrintTo(const Interruption& c, std::ostream* out) {
    *out << c.name;
}

class SentenceStop : public Silence, public ::testing::WithParamInterface<Interruption> {};

TEST_P(SentenceStop, SpeakReturnsWhenCtrlCutsTheSentenceAndTheNextKeyIsHandled) {
    const Interruption& c = GetParam();
    choose(1);
    os.speechlength = 3000;  // the sentence would last three seconds
    long pressed = os.now;
    // The front end reports Ctrl held with its own press.
    if (c.ctrl >= 0) os.pressat(pressed + c.ctrl, keyCtrl, maskCtrl);
    os.pressat(pressed + 900, keyQ);  // pressed while the sentence is spoken
    std::size_t from = mark();
    key(keyH);

    EXPECT_EQ(os.now - pressed, c.returned);
    ASSERT_EQ(os.speech.size(), 1u);
    EXPECT_EQ(os.speechstopped, c.ctrl >= 0 ? 1 : 0);
    // The Ctrl that stopped the sentence then reached the game, which
    // silenced the rest: the voice channel too.
    EXPECT_EQ(voicechannel(from),
              c.ctrl >= 0 ? std::vector<std::string>{"stop"} : std::vector<std::string>{});

    // The Q pressed during the sentence is handled as soon as it is due, or
    // once the uncut sentence has ended.
    os.run(std::max(0L, pressed + 900 - os.now));
    EXPECT_EQ(Form1.selectedletter, "A");
    ticks(2);
    EXPECT_EQ(playssince(from), std::vector<std::string>{"4: \\sounds\\a.wav"});
}

INSTANTIATE_TEST_SUITE_P(
    Ctrl, SentenceStop,
    ::testing::Values(Interruption{"uncut", -1, 3200},
                      // H pauses 200 ms before speaking: Ctrl 500 ms into the sentence.
                      Interruption{"cut", 700, 700}, Interruption{"cutasitbegins", 201, 201}));

// --- Ctrl at any other time -------------------------------------------------

struct Moment {
    std::string name;
    std::vector<int> steps;  // key codes; -n runs n ticks
};

void PrintTo(const Moment& m, std::ostream* out) {
    *out << m.name;
}

// What Ctrl must leave exactly as it found it.
struct PuzzleState {
    int menulevel, menuitem, level, clueindex, substitute;
    std::string selectedletter;
    std::vector<std::string> pad;
    std::string scratch;

    bool operator==(const PuzzleState&) const = default;
};

class OtherTimes : public Silence, public ::testing::WithParamInterface<Moment> {
  protected:
    PuzzleState state() const {
        PuzzleState s{Module1.menulevel, Module1.menuitem,     Form1.level, Form1.clueindex,
                      Form1.substitute,  Form1.selectedletter, {},          {}};
        for (int i = 1; i <= 10; ++i)
            s.pad.push_back(Form1.scratchletter[i] + "=" + Form1.scratchdigit[i]);
        s.scratch = readfile(programdir / "scratch1.txt");
        return s;
    }
};

TEST_P(OtherTimes, CtrlSilencesEverythingQueuedAndChangesNothingElse) {
    for (int step : GetParam().steps) step < 0 ? ticks(-step) : key(step);
    PuzzleState before = state();
    std::size_t from = mark();

    key(keyCtrl, maskCtrl);
    EXPECT_TRUE(Form1.List1.empty());
    EXPECT_EQ(Form1.schedcount, 0);
    // The voice channel has held a clip since the welcome.
    EXPECT_EQ(voicechannel(from), std::vector<std::string>{"stop"});
    ticks(100);
    EXPECT_EQ(playssince(from), std::vector<std::string>{}) << "something queued still played";
    EXPECT_EQ(state(), before);
}

// Puzzle 1 is chosen with Tab Tab Enter and its loading pause.
INSTANTIATE_TEST_SUITE_P(
    Ctrl, OtherTimes,
    ::testing::Values(Moment{"menuitemnotyetplayed", {keyTab}},
                      Moment{"introductionplaying", {keyTab, keyEnter, -3}},
                      // The first letters have played, the rest are scheduled.
                      Moment{"cluebeingread", {keyTab, keyTab, keyEnter, -20, keyEnter, -8}},
                      // "A is set to 1" with its last two clips still scheduled.
                      Moment{"digitannouncedwithsubstitutionon",
                             {keyTab, keyTab, keyEnter, -20, keySpace, keyQ, -2, key1, -2}}));

}  // namespace
}  // namespace corvale::testing
