// The player aids on the virtual clock: P reads the pad, Backspace takes a
// digit back, F1 gives help where the player is, and the large-print view
// is handed the lines that say what the player hears.
#include <algorithm>

#include "rig.h"

namespace corvale::testing {
namespace {

class Aids : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);  // AB * C = DE, C < D
        start();
        ticks(1);
    }
    fs::path scratch() const { return programdir / "scratch1.txt"; }
};

struct AidCase {
    std::string name;
    std::vector<std::string> pad;  // scratch file lines before; none: no file
    bool puzzle;                   // puzzle 1 chosen first, or the fresh main menu
    std::vector<int> before;       // keys pressed before
    int wait;                      // ticks after them: 80 lets everything finish
    int code;
    std::vector<std::string> clips;  // every clip heard, by tick after the key
    std::vector<std::string> after;  // scratch file lines after; none: as before
};

void PrintTo(const AidCase& c, std::ostream* out) {
    *out << c.name;
}

class Keys : public Aids, public ::testing::WithParamInterface<AidCase> {};

TEST_P(Keys, EachAidSaysWhatItShouldAndKeepsThePad) {
    const AidCase& c = GetParam();
    if (!c.pad.empty()) writefile(scratch(), scratchtext(c.pad));
    if (c.puzzle) choose(1);
    for (int k : c.before) key(k);
    ticks(c.wait);
    std::string padbefore = readfile(scratch());
    int menuitem = Module1.menuitem;

    std::size_t from = mark();
    key(c.code);
    long origin = os.now;
    ticks(500);
    EXPECT_EQ(timedsince(from, origin), c.clips);
    EXPECT_EQ(readfile(scratch()), c.after.empty() ? padbefore : scratchtext(c.after));
    EXPECT_EQ(Module1.menuitem, menuitem);
    EXPECT_EQ(Module1.menulevel, c.puzzle ? 0 : 1);
}

const std::vector<std::string> tenletters{"J", "0", "B", "8", "E", "5", "A", "9", "C", "7",
                                          "F", "4", "D", "6", "H", "2", "G", "3", "I", "1"};

std::vector<std::string> fullpadreading() {
    // Letter, "is set to", digit, "no marks": 8, 12 and 10 ticks apart, 14
    // more to the next letter.
    std::vector<std::string> out;
    const char* const digits = "9876543210";
    for (int k = 0; k < 10; ++k) {
        std::string letter(1, static_cast<char>('a' + k));
        out.push_back(std::to_string(44 * k + 1) + " \\sounds\\" + letter + ".wav");
        out.push_back(std::to_string(44 * k + 9) + " \\sounds\\issetto.wav");
        out.push_back(std::to_string(44 * k + 21) + " \\sounds\\" + digits[k] + ".wav");
        out.push_back(std::to_string(44 * k + 31) + " \\sounds\\nomarks.wav");
    }
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Aid, Keys,
    ::testing::Values(
        AidCase{"PEmptyPad", {}, true, {}, 80, keyP, {"1 \\sounds\\padempty.wav"}, {}},
        // Letter order, not slot order; the gaps of a digit's announcement, and
        // after each digit the letter's marks, here none.
        AidCase{"PPartialPad",
                {"C", "4", "A", "1"},
                true,
                {},
                80,
                keyP,
                {"1 \\sounds\\a.wav", "9 \\sounds\\issetto.wav", "21 \\sounds\\1.wav",
                 "31 \\sounds\\nomarks.wav", "45 \\sounds\\c.wav", "53 \\sounds\\issetto.wav",
                 "65 \\sounds\\4.wav", "75 \\sounds\\nomarks.wav"},
                {}},
        // A slot holding the blank mark is a free one.
        AidCase{"PSkipsTheBlankMark",
                {"_", "7", "B", "3"},
                true,
                {},
                80,
                keyP,
                {"1 \\sounds\\b.wav", "9 \\sounds\\issetto.wav", "21 \\sounds\\3.wav",
                 "31 \\sounds\\nomarks.wav"},
                {}},
        AidCase{"BackspaceOnTheBlankMark",
                {"_", "7", "B", "3"},
                true,
                {keyE},
                80,
                keyBackspace,
                {"0 \\sounds\\click.wav"},
                {}},
        AidCase{"PFullPad", tenletters, true, {}, 80, keyP, fullpadreading(), {}},
        // A clue being read is cut off by the pad.
        AidCase{"PDuringAClue",
                {"B", "3"},
                true,
                {keyEnter},
                10,
                keyP,
                {"1 \\sounds\\b.wav", "9 \\sounds\\issetto.wav", "21 \\sounds\\3.wav",
                 "31 \\sounds\\nomarks.wav"},
                {}},
        // B is taken back from the middle: its slot is left free.
        AidCase{"BackspaceOnASetLetter",
                {"A", "1", "B", "3", "C", "4"},
                true,
                {keyW},
                80,
                keyBackspace,
                {"1 \\sounds\\b.wav", "9 \\sounds\\iscleared.wav"},
                {"A", "1", "", "", "C", "4"}},
        AidCase{"BackspaceOnTheOnlyLetter",
                {"B", "3"},
                true,
                {keyW},
                80,
                keyBackspace,
                {"1 \\sounds\\b.wav", "9 \\sounds\\iscleared.wav"},
                std::vector<std::string>(20, "")},
        AidCase{"BackspaceOnAnUnsetLetter",
                {"A", "1"},
                true,
                {keyZ},
                80,
                keyBackspace,
                {"0 \\sounds\\click.wav"},
                {}},
        AidCase{"BackspaceWithNothingSelected",
                {"A", "1"},
                true,
                {},
                80,
                keyBackspace,
                {"0 \\sounds\\click.wav"},
                {}},
        AidCase{"BackspaceAfterTabClearedTheSelection",
                {"A", "1"},
                true,
                {keyQ, keyTab},
                80,
                keyBackspace,
                {"0 \\sounds\\click.wav"},
                {}},
        AidCase{"F1InTheMenu", {}, false, {keyTab}, 80, keyF1, {"1 \\sounds\\helpmenu.wav"}, {}},
        AidCase{"F1InAPuzzle", {}, true, {}, 80, keyF1, {"1 \\sounds\\helpplay.wav"}, {}},
        // Help replaces the rest of a clue still being read.
        AidCase{
            "F1DuringAClue", {}, true, {keyEnter}, 10, keyF1, {"1 \\sounds\\helpplay.wav"}, {}}));

TEST_F(Aids, ADigitGivenAfterBackspaceFindsItsLetterAgain) {
    writefile(scratch(), scratchtext({"A", "1", "B", "3"}));
    choose(1);
    keys({keyQ});
    key(keyBackspace);
    keys({keyW, key8});  // B's own slot, not the free one above it
    EXPECT_EQ(readfile(scratch()), scratchtext({"", "", "B", "8"}));
}

TEST_F(Aids, ADigitForALetterBelowAFreeSlotReplacesItsDigit) {
    // Slot 1 holds the blank mark an older version stored: a free slot.
    writefile(scratch(), scratchtext({"_", "7", "B", "3"}));
    choose(1);
    keys({keyW, key8});
    EXPECT_EQ(readfile(scratch()), scratchtext({"_", "7", "B", "8"}));
}

// --- The large-print view ---------------------------------------------------

class View : public Aids {
  protected:
    // Every set of lines handed to the view since `from`, as "ms line | line".
    std::vector<std::string> shown(std::size_t from = 0) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < os.screens.size(); ++i) {
            std::string text = std::to_string(os.screens[i].time);
            for (std::size_t k = 0; k < os.screens[i].lines.size(); ++k)
                text += (k == 0 ? " " : " | ") + os.screens[i].lines[k];
            out.push_back(text);
        }
        return out;
    }
};

TEST_F(View, TheViewFollowsTheMenuAndThePuzzle) {
    key(keyTab);
    key(keyTab);
    key(keyF1);  // help changes nothing on the screen
    std::size_t from = os.screens.size();
    key(keyEnter);  // the puzzle shows while it loads
    ticks(20);
    keys({keyQ, key1});
    key(keySpace);  // letters with digits show as digits
    key(keyBackspace);
    keys({keyA, key4});
    key(keyTab, maskShift);  // the new clue shows while its number is spoken
    ticks(60);
    key(keyEscape);
    EXPECT_EQ(shown(),
              (std::vector<std::string>{
                  "0  | Main menu", "50  | Introduction", "50  | Puzzle 1",
                  "50  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 C = DE | ",
                  // The letter heard last is the one a digit sets: it is marked.
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 C = DE |  | [A]",
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 C = DE |  | [A=1]",
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | 1B \u00d7 C = DE |  | [A=1]",
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 C = DE |  | [A]",
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 C = DE |  | [C]",
                  "2050  | Puzzle 1 \u00b7 Clue 1 of 2 | AB \u00d7 4 = DE |  | [C=4]",
                  "2050  | Puzzle 1 \u00b7 Clue 2 of 2 | 4 < D |  | C=4", "5550  | Main menu"}));
    EXPECT_EQ(from, 3u);
}

TEST_F(View, RelationsBlanksAndALongPadAreShownAsHeard) {
    writefile(workdir / "puzz2.txt",
              "3\r\n"
              "\"-\",A_B_,C___,D___,A B minus C equals D\r\n"
              "\"?\",A___,B___,C___,A what B\r\n"
              "\"*\",____,_B__,C___,times B equals C\r\n"
              "*,A,E,B,C,D,*,*,*,*\r\n");
    writefile(programdir / "scratch2.txt",
              scratchtext({"G", "7", "B", "2", "F", "6", "A", "1", "E", "5", "C", "3", "D", "4"}));
    choose(2);
    std::vector<std::vector<std::string>> seen;
    for (int clue = 1; clue <= 3; ++clue) {
        seen.push_back(Form1.screen);
        key(keyTab);
    }
    const std::vector<std::string> pad{"A=1  B=2  C=3  D=4  E=5", "F=6  G=7"};
    auto with = [&](std::vector<std::string> lines) {
        lines.insert(lines.begin(), "");  // nothing is being said
        lines.push_back("");
        lines.insert(lines.end(), pad.begin(), pad.end());
        return lines;
    };
    EXPECT_EQ(seen, (std::vector<std::vector<std::string>>{
                        with({"Puzzle 2 \u00b7 Clue 1 of 3", "AB \u2212 C = D"}),
                        with({"Puzzle 2 \u00b7 Clue 2 of 3", "A ? B C"}),
                        with({"Puzzle 2 \u00b7 Clue 3 of 3", "\u00d7 B = C"})}));
    EXPECT_EQ(os.screens.back().lines, Form1.screen);
}

// --- Captions: what is said, shown above where the player is --------------

class Captions : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);
        writefile(programdir / "voice.txt",
                  "say.welcome=Welcome.\nsay.begin=Puzzle started.\n"
                  "say.helpplay=Puzzle keys. Enter repeats the clue. H says it.\n");
        // The help is charted at 3 seconds: 60 ticks.
        writefile(programdir / "soundchart.txt",
                  "\\sounds\\welcome.wav\r\n5\r\n\\sounds\\helpplay.wav\r\n30\r\n");
        start();
        ticks(1);
    }
    // The caption (the lines before the first empty one) of every set of
    // lines handed to the view since `from`, as "ms line / line", the time
    // counted from `origin`; a set that kept the caption is left out.
    std::vector<std::string> captions(std::size_t from, long origin) const {
        std::vector<std::string> out;
        std::vector<std::string> last{"?"};
        for (std::size_t i = from; i < os.screens.size(); ++i) {
            const auto& lines = os.screens[i].lines;
            std::vector<std::string> caption(lines.begin(),
                                             std::find(lines.begin(), lines.end(), ""));
            if (caption == last) continue;
            last = caption;
            std::string text = std::to_string(os.screens[i].time - origin);
            for (std::size_t k = 0; k < caption.size(); ++k)
                text += (k == 0 ? " " : " / ") + caption[k];
            out.push_back(text);
        }
        return out;
    }
};

TEST_F(Captions, AClipIsCaptionedWhileItPlays) {
    // The welcome (5 tenths: 10 ticks) began at the first tick.
    ticks(12);
    EXPECT_EQ(captions(0, 0), (std::vector<std::string>{"0", "50 Welcome.", "550"}));
}

// The help is shown sentence by sentence, each for its share of the clip's
// letters: 12, 23 and 10 of 45, over 60 ticks.
TEST_F(Captions, HelpIsCaptionedSentenceBySentenceAndCtrlEndsIt) {
    choose(1);
    std::size_t from = os.screens.size();
    const long origin = os.now;
    key(keyF1);
    ticks(70);
    EXPECT_EQ(captions(from, origin),
              (std::vector<std::string>{"50 Puzzle keys.", "850 Enter repeats the clue.",
                                        "2400 H says it.", "3050"}));
    from = os.screens.size();
    key(keyF1);
    ticks(20);
    key(keyCtrl);
    EXPECT_EQ(Form1.screen.at(0), "");
    EXPECT_EQ(captions(from, os.now).back(), "0");
}

// The H sentence and a failure are shown whole, as written, while the
// game's voice says them.
TEST_F(Captions, TheVoicesSentencesAreCaptionedWhileSaid) {
    choose(1);
    key(keyEnter);
    ticks(60);
    os.speechlength = 2000;
    std::size_t from = os.screens.size();
    long origin = os.now;
    key(keyH);
    EXPECT_EQ(captions(from, origin),
              (std::vector<std::string>{"200 A B times C equals D E", "2200"}));

    from = os.screens.size();
    origin = os.now;
    sayfailure("/tmp/x/puzz1.txt:3: the clue count \"x\" is not a number from 1 to 15");
    EXPECT_EQ(captions(from, origin),
              (std::vector<std::string>{
                  "0 puzz1.txt:3: the clue count / \"x\" is not a number from 1 to / 15", "2000"}));
}

}  // namespace
}  // namespace corvale::testing
