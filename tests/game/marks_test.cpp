// Pencil marks on the virtual clock: Shift with a digit toggles a mark of the
// letter heard last, M reads a letter's marks, P reads them with the pad; the
// marks file is saved at once, read back after a restart and set aside when
// it cannot be read.
#include <map>

#include "rig.h"

namespace corvale::testing {
namespace {

class Marks : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);  // AB * C = DE, C < D
        start();
        ticks(1);
    }
    fs::path marksfile() const { return programdir / "marks1.txt"; }
    fs::path scratch() const { return programdir / "scratch1.txt"; }
    // Presses the keys of a script: letters and digits as printed, \t for
    // Tab; a digit after '+' is pressed with Shift.
    void script(const std::string& keys) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (keys[i] == '+')
                key(scripted(keys[++i]), maskShift);
            else
                key(scripted(keys[i]));
        }
    }
    static int scripted(char c) {
        if (c == '\t') return keyTab;
        if (c >= '0' && c <= '9') return key0 + (c - '0');
        return keyA + (c - 'A');
    }
    std::vector<std::string> heard(int code, int mask = 0) {
        std::size_t from = mark();
        key(code, mask);
        long origin = os.now;
        ticks(400);
        return timedsince(from, origin);
    }
    // A fresh run of the game on the same folders, back in puzzle 1.
    void restart() {
        rerun();
        choose(1);
    }
};

struct MarkCase {
    std::string name;
    std::string marks;   // the marks file before; "" for none
    std::string before;  // keys pressed before, in script() form
    int code;
    int mask;
    std::vector<std::string> clips;  // every clip heard, by tick after the key
    std::string after;               // the marks file after; "" for none
};

void PrintTo(const MarkCase& c, std::ostream* out) {
    *out << c.name;
}

class Toggles : public Marks, public ::testing::WithParamInterface<MarkCase> {};

TEST_P(Toggles, EachKeySaysWhatChangedAndSavesTheMarks) {
    const MarkCase& c = GetParam();
    if (!c.marks.empty()) writefile(marksfile(), c.marks);
    choose(1);
    script(c.before);
    ticks(80);
    EXPECT_EQ(heard(c.code, c.mask), c.clips);
    EXPECT_EQ(fs::exists(marksfile()) ? readfile(marksfile()) : "", c.after);
    // A mark is a note: it never gives a letter a digit.
    if (c.mask == maskShift) {
        EXPECT_FALSE(fs::exists(scratch()));
    }
}

const std::vector<std::string> b357{"1 \\sounds\\b.wav", "9 \\sounds\\maybe.wav",
                                    "21 \\sounds\\3.wav", "28 \\sounds\\5.wav",
                                    "35 \\sounds\\7.wav"};

INSTANTIATE_TEST_SUITE_P(
    Marks, Toggles,
    ::testing::Values(
        MarkCase{"ShiftDigitMarks",
                 "",
                 "W",
                 key5,
                 maskShift,
                 {"1 \\sounds\\b.wav", "9 \\sounds\\maybe.wav", "21 \\sounds\\5.wav"},
                 "0\r\nB,5\r\n"},
        MarkCase{"MarksStayInDigitOrder",
                 "0\r\nB,37\r\n",
                 "W",
                 key5,
                 maskShift,
                 {"1 \\sounds\\b.wav", "9 \\sounds\\maybe.wav", "21 \\sounds\\5.wav"},
                 "0\r\nB,357\r\n"},
        MarkCase{"AgainTakesTheMarkOff",
                 "0\r\nB,357\r\n",
                 "W",
                 key5,
                 maskShift,
                 {"1 \\sounds\\b.wav", "9 \\sounds\\5.wav", "16 \\sounds\\takenoff.wav"},
                 "0\r\nB,37\r\n"},
        MarkCase{"TheLastMarkOffKeepsTheHintCount",
                 "3\r\nB,5\r\n",
                 "W",
                 key5,
                 maskShift,
                 {"1 \\sounds\\b.wav", "9 \\sounds\\5.wav", "16 \\sounds\\takenoff.wav"},
                 "3\r\n"},
        MarkCase{"TwoLettersKeepTheirOwnMarks",
                 "",
                 "W+5Q+0",
                 key0,
                 maskShift,
                 {"1 \\sounds\\a.wav", "9 \\sounds\\0.wav", "16 \\sounds\\takenoff.wav"},
                 "0\r\nB,5\r\n"},
        MarkCase{"NothingHeardClicks", "", "", key5, maskShift, {"0 \\sounds\\click.wav"}, ""},
        MarkCase{"ABlankPositionClicks", "", "R", key5, maskShift, {"0 \\sounds\\click.wav"}, ""},
        MarkCase{"TabClearsWhatShiftDigitMarks",
                 "",
                 "W\t",
                 key5,
                 maskShift,
                 {"0 \\sounds\\click.wav"},
                 ""},
        MarkCase{"MReadsTheLetterHeardLast", "0\r\nB,357\r\n", "W", keyM, 0, b357,
                 "0\r\nB,357\r\n"},
        MarkCase{
            "MWithNoMarks", "", "W", keyM, 0, {"1 \\sounds\\b.wav", "9 \\sounds\\nomarks.wav"}, ""},
        MarkCase{"MWithNothingHeardClicks", "", "", keyM, 0, {"0 \\sounds\\click.wav"}, ""},
        // Giving the letter its digit leaves its marks.
        MarkCase{"ADigitLeavesTheMarks",
                 "0\r\nB,35\r\n",
                 "W",
                 key3,
                 0,
                 {"1 \\sounds\\B.wav", "9 \\sounds\\issetto.wav", "21 \\sounds\\3.wav"},
                 "0\r\nB,35\r\n"}));

TEST_F(Marks, BackspaceLeavesTheMarks) {
    writefile(scratch(), scratchtext({"B", "3"}));
    choose(1);
    script("W+3+5");
    key(keyBackspace);
    EXPECT_EQ(readfile(scratch()), scratchtext({}));
    EXPECT_EQ(readfile(marksfile()), "0\r\nB,35\r\n");
    ticks(80);
    EXPECT_EQ(heard(keyM), (std::vector<std::string>{"1 \\sounds\\b.wav", "9 \\sounds\\maybe.wav",
                                                     "21 \\sounds\\3.wav", "28 \\sounds\\5.wav"}));
}

// P says each letter's marks after its digit, or that it has none; a letter
// with marks and no digit is read too, in letter order.
TEST_F(Marks, PSaysEachLettersMarksAfterItsDigit) {
    writefile(scratch(), scratchtext({"C", "4", "A", "1"}));
    writefile(marksfile(), "0\r\nA,1\r\nB,27\r\n");
    choose(1);
    EXPECT_EQ(heard(keyP), (std::vector<std::string>{
                               "1 \\sounds\\a.wav", "9 \\sounds\\issetto.wav", "21 \\sounds\\1.wav",
                               "31 \\sounds\\maybe.wav", "43 \\sounds\\1.wav", "55 \\sounds\\b.wav",
                               "63 \\sounds\\maybe.wav", "75 \\sounds\\2.wav", "82 \\sounds\\7.wav",
                               "94 \\sounds\\c.wav", "102 \\sounds\\issetto.wav",
                               "114 \\sounds\\4.wav", "124 \\sounds\\nomarks.wav"}));
}

// Ten letters with every digit marked are more than the schedule holds: P
// stops before a letter and says so, P again reads on, and P after any
// other key starts from the first letter again.
TEST_F(Marks, APadTooLongForOneReadingGoesOnAtTheNextP) {
    std::string marks = "0\r\n";
    std::vector<std::string> pad;
    for (char c = 'A'; c <= 'J'; ++c) {
        marks += std::string(1, c) + ",0123456789\r\n";
        pad.push_back(std::string(1, c));
        pad.push_back(std::string(1, static_cast<char>('0' + (c - 'A'))));
    }
    writefile(scratch(), scratchtext(pad));
    writefile(marksfile(), marks);
    choose(1);
    auto letters = [&](int code) {
        std::vector<std::string> out;
        for (const std::string& clip : heard(code)) {
            std::string name = clip.substr(clip.find('\\'));
            if (name.size() == 13 && name[8] >= 'a' && name[8] <= 'j')
                out.push_back(name.substr(8, 1));
            if (name == "\\sounds\\padmore.wav") out.push_back("more");
        }
        return out;
    };
    EXPECT_EQ(letters(keyP), (std::vector<std::string>{"a", "b", "c", "more"}));
    EXPECT_EQ(letters(keyP), (std::vector<std::string>{"d", "e", "f", "more"}));
    key(keySpace);
    key(keySpace);
    EXPECT_EQ(letters(keyP), (std::vector<std::string>{"a", "b", "c", "more"}));
    letters(keyP);
    letters(keyP);
    EXPECT_EQ(letters(keyP), (std::vector<std::string>{"j"}));
}

TEST_F(Marks, MarksSurviveARestart) {
    choose(1);
    script("W+3+5Z+5");
    restart();
    EXPECT_EQ(Form1.marks, (std::map<std::string, std::string>{{"B", "35"}, {"D", "5"}}));
    key(keyW);
    ticks(80);
    EXPECT_EQ(heard(keyM), (std::vector<std::string>{"1 \\sounds\\b.wav", "9 \\sounds\\maybe.wav",
                                                     "21 \\sounds\\3.wav", "28 \\sounds\\5.wav"}));
}

// The marks are the level's own: another puzzle starts with none.
TEST_F(Marks, EachPuzzleHasItsOwnMarks) {
    writefile(workdir / "puzz2.txt", twopuzzle);
    choose(1);
    script("W+3");
    key(keyEscape);
    choose(2);
    EXPECT_TRUE(Form1.marks.empty());
    script("W+7");
    key(keyEscape);
    choose(1);
    EXPECT_EQ(Form1.marks, (std::map<std::string, std::string>{{"B", "3"}}));
    EXPECT_EQ(readfile(programdir / "marks2.txt"), "0\r\nB,7\r\n");
}

// The large-print view shows each letter's marks beside its digit, and a
// letter with marks alone too, in letter order; the letter heard last in
// brackets.
TEST_F(Marks, TheViewShowsTheMarksBesideThePad) {
    writefile(scratch(), scratchtext({"B", "3", "A", "1"}));
    writefile(marksfile(), "0\r\nB,57\r\nC,0123\r\n");
    choose(1);
    EXPECT_EQ(Form1.screen,
              (std::vector<std::string>{"", "Puzzle 1 \u00b7 Clue 1 of 2", "AB \u00d7 C = DE", "",
                                        "A=1  B=3 (5 7)", "C (0 1 2 3)"}));
    script("Z+9");
    EXPECT_EQ(Form1.screen.back(), "C (0 1 2 3)  [D (9)]");
}

struct Unreadable {
    const char* name;
    std::string text;
};

void PrintTo(const Unreadable& u, std::ostream* out) {
    *out << u.name;
}

class BadMarks : public Marks, public ::testing::WithParamInterface<Unreadable> {};

TEST_P(BadMarks, AreSetAsideAndThePuzzleStartsWithNone) {
    const std::string text = GetParam().text;
    writefile(marksfile(), text);
    writefile(scratch(), scratchtext({"A", "1"}));
    keys({keyTab, keyTab});
    std::size_t from = mark();
    key(keyEnter);
    ticks(20);
    EXPECT_FALSE(os.ended);
    EXPECT_TRUE(Form1.marks.empty());
    EXPECT_EQ(Form1.scratchletter[1], "A");  // the pad is not touched
    EXPECT_FALSE(fs::exists(marksfile()));
    EXPECT_EQ(readfile(programdir / "marks1.txt.unreadable"), text);
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_NE(os.notes[0].find(marksfile().string() + ":"), std::string::npos) << os.notes[0];
    EXPECT_NE(os.notes[0].find("marks1.txt.unreadable"), std::string::npos) << os.notes[0];
    EXPECT_EQ(playssince(from),
              (std::vector<std::string>{"0: \\sounds\\begin.wav", "0: \\sounds\\marksaside.wav"}));
    script("W+4");
    EXPECT_EQ(readfile(marksfile()), "0\r\nB,4\r\n");
}

INSTANTIATE_TEST_SUITE_P(Files, BadMarks,
                         ::testing::Values(Unreadable{"empty", ""},
                                           Unreadable{"hintsnotanumber", "two\r\n"},
                                           Unreadable{"hintsoverflow", "99999999999999999999\r\n"},
                                           Unreadable{"markedtwice", "0\r\nB,3\r\nB,5\r\n"},
                                           Unreadable{"notrising", "0\r\nB,53\r\n"},
                                           Unreadable{"nodigits", "0\r\nB\r\n"},
                                           Unreadable{"blankmark", "0\r\n_,5\r\n"},
                                           Unreadable{"anothertool", "{\"B\": [3, 5]}\n"}));

}  // namespace
}  // namespace corvale::testing
