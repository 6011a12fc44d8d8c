// Puzzle play on the virtual clock: clue reading, the symbol and digit keys,
// substitution, saving the pad, the answer check and loading a level.
#include <array>

#include "puzzle/puzzle.h"
#include "rig.h"

namespace corvale::testing {
namespace {

// Rows for the reading and relation tests: one of each relation, one with
// an unknown relation, one whose first word is all blanks, one with short words.
const char* const rowspuzzle =
    "6\r\n"
    "\"-\",AB__,C___,D___,A B minus C equals D\r\n"
    "\"<\",C___,D___,____,C is less than D\r\n"
    "\"?\",A___,B___,C___,A what B\r\n"
    "\"*\",____,_B__,C___,times B equals C\r\n"
    "\"*\",A,,D,A times equals D\r\n"
    "\"*\",__AB,C___,DE__,\"A B times C, equals D E\"\r\n"
    "*,A,E,B,C,D,*,*,*,*\r\n";

class Play : public Rig {
  protected:
    void SetUp() override {
        writefile(workdir / "puzz1.txt", twopuzzle);
        writefile(workdir / "puzz2.txt", rowspuzzle);
        start();
        ticks(1);
    }
    // Presses a key and returns every clip it brought, by the tick step that
    // played it, counted from the moment the key's work was done.
    std::vector<std::string> heard(int code, int mask = 0, int forticks = 60) {
        std::size_t from = mark();
        key(code, mask);
        long origin = os.now;
        ticks(forticks);
        return timedsince(from, origin);
    }
    std::string scratchfile(int n = 1) {
        return readfile(programdir / ("scratch" + std::to_string(n) + ".txt"));
    }
};

// --- Clue reading -----------------------------------------------------------

TEST_F(Play, EnterReadsTheClueAsOneEvenlyPacedPhrase) {
    choose(1);
    EXPECT_EQ(heard(keyEnter),
              (std::vector<std::string>{"1 \\sounds\\a.wav", "7 \\sounds\\b.wav",
                                        "19 \\sounds\\times.wav", "24 \\sounds\\c.wav",
                                        "36 \\sounds\\equals.wav", "41 \\sounds\\d.wav",
                                        "48 \\sounds\\e.wav"}));
    EXPECT_EQ(os.spawned, std::vector<std::string>{"voxlet 100,2,Clue 1"});
}

// The clue number is spoken by voxlet at its own pace; the row starts no
// sooner than half a second, and never while the number is still spoken,
// unless voxlet hangs: then it gives up waiting after two seconds more.
TEST_F(Play, TheRowWaitsForTheClueNumberToEnd) {
    choose(1);
    for (auto [voxletms, earliest, latest] : std::vector<std::array<long, 3>>{
             {0, 500, 600}, {300, 500, 600}, {900, 900, 1000}, {60000, 2500, 2600}}) {
        os.spawnms = voxletms;
        std::size_t from = mark();
        long before = os.now;
        key(keyEnter);
        ticks(100);
        long first = -1;  // when the row's first clip played
        for (std::size_t i = from; i < os.sounds.size() && first < 0; ++i)
            if (os.sounds[i].op == "play") first = os.sounds[i].time - before;
        EXPECT_GE(first, earliest) << "voxlet speaking " << voxletms << " ms";
        EXPECT_LE(first, latest) << "voxlet speaking " << voxletms << " ms";
        ticks(1300);
    }
}

struct Reading {
    int clue;
    std::vector<std::string> clips;
};

void PrintTo(const Reading& r, std::ostream* out) {
    *out << "clue " << r.clue;
}

class Rows : public Play, public ::testing::WithParamInterface<Reading> {};

TEST_P(Rows, EachRowIsReadWithItsSpacing) {
    choose(2);
    for (int i = 1; i < GetParam().clue; ++i) key(keyTab);
    ticks(80);
    EXPECT_EQ(heard(keyEnter), GetParam().clips);
}

INSTANTIATE_TEST_SUITE_P(
    Clues, Rows,
    ::testing::Values(
        Reading{1,
                {"1 \\sounds\\a.wav", "7 \\sounds\\b.wav", "19 \\sounds\\minus.wav",
                 "24 \\sounds\\c.wav", "36 \\sounds\\equals.wav", "41 \\sounds\\d.wav"}},
        Reading{2, {"1 \\sounds\\c.wav", "12 \\sounds\\islessthan.wav", "17 \\sounds\\d.wav"}},
        Reading{3, {"1 \\sounds\\a.wav", "17 \\sounds\\b.wav", "34 \\sounds\\c.wav"}},
        Reading{4,
                {"5 \\sounds\\times.wav", "10 \\sounds\\b.wav", "22 \\sounds\\equals.wav",
                 "27 \\sounds\\c.wav"}},
        // Words too short for their positions: nothing is asked for past their end.
        Reading{5,
                {"1 \\sounds\\a.wav", "12 \\sounds\\times.wav", "22 \\sounds\\equals.wav",
                 "27 \\sounds\\d.wav"}},
        // Symbols at the end of a word sound as at its start.
        Reading{6,
                {"1 \\sounds\\a.wav", "7 \\sounds\\b.wav", "19 \\sounds\\times.wav",
                 "24 \\sounds\\c.wav", "36 \\sounds\\equals.wav", "41 \\sounds\\d.wav",
                 "48 \\sounds\\e.wav"}}));

TEST_F(Play, TabDuringAReadingLeavesOnlyTheNewClue) {
    choose(1);
    std::size_t from = mark();
    os.pressat(os.now + 200, keyTab);
    key(keyEnter);
    ticks(60);
    EXPECT_EQ(playssince(from).size(), 3u);  // C, is less than, D: clue 2 only
    EXPECT_EQ(os.spawned, (std::vector<std::string>{"voxlet 100,2,Clue 1", "voxlet 100,2,Clue 2"}));
    EXPECT_EQ(Form1.clueindex, 2);
}

TEST_F(Play, EscapeWhileTheNumberIsSpokenLeavesNoRowToRead) {
    choose(1);
    os.spawnms = 900;
    std::size_t from = mark();
    os.pressat(os.now + 600, keyEscape);
    key(keyEnter);
    ticks(60);
    EXPECT_EQ(playssince(from), std::vector<std::string>{"0: \\sounds\\mainmenu.wav"});
}

TEST_F(Play, TabAndShiftTabCycleThroughTheClues) {
    choose(1);
    std::vector<int> seen;
    for (auto [code, mask] : std::vector<std::pair<int, int>>{{keyTab, 0},
                                                              {keyTab, 0},
                                                              {keyTab, maskShift},
                                                              {keyLeft, 0},
                                                              {keyDown, 0},
                                                              {keyTab, maskCtrl},
                                                              {keyTab, maskShift | maskCtrl}}) {
        key(code, mask);
        seen.push_back(Form1.clueindex);
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 2, 1, 2, 2, 2}));
    EXPECT_EQ(os.spawned.size(), 5u);  // Ctrl+Tab and Ctrl+Shift+Tab read nothing
}

// --- Symbols ----------------------------------------------------------------

struct SymbolCase {
    int code;
    std::vector<std::string> clips;
    std::string selected;
};

void PrintTo(const SymbolCase& c, std::ostream* out) {
    *out << static_cast<char>(c.code);
}

class Symbols : public Play, public ::testing::WithParamInterface<SymbolCase> {};

TEST_P(Symbols, EachKeyReadsItsPositionOfItsWord) {
    choose(1);                                                       // AB__ times C___ equals DE__
    EXPECT_EQ(heard(GetParam().code, maskShift), GetParam().clips);  // Shift is not looked at
    EXPECT_EQ(Form1.selectedletter, GetParam().selected);
}

const std::vector<std::string> click{"1 \\sounds\\click.wav"};

INSTANTIATE_TEST_SUITE_P(
    Keys, Symbols,
    ::testing::Values(SymbolCase{keyQ, {"1 \\sounds\\a.wav"}, "A"},
                      SymbolCase{keyW, {"1 \\sounds\\b.wav"}, "B"}, SymbolCase{keyE, click, "_"},
                      SymbolCase{keyR, click, "_"},
                      SymbolCase{keyA, {"1 \\sounds\\times.wav", "10 \\sounds\\c.wav"}, "C"},
                      SymbolCase{keyS, click, "_"}, SymbolCase{keyD, click, "_"},
                      SymbolCase{keyF, click, "_"}, SymbolCase{keyZ, {"1 \\sounds\\d.wav"}, "D"},
                      SymbolCase{keyX, {"1 \\sounds\\e.wav"}, "E"}, SymbolCase{keyC, click, "_"},
                      SymbolCase{keyV, click, "_"}));

TEST_F(Play, KeyASaysTheRelationFirst) {
    choose(2);
    std::vector<std::vector<std::string>> heardbyclue;
    for (int clue = 1; clue <= 3; ++clue) {
        heardbyclue.push_back(heard(keyA));
        key(keyTab);
        ticks(80);
    }
    EXPECT_EQ(heardbyclue, (std::vector<std::vector<std::string>>{
                               {"1 \\sounds\\minus.wav", "10 \\sounds\\c.wav"},
                               {"1 \\sounds\\islessthan.wav", "10 \\sounds\\d.wav"},
                               {"10 \\sounds\\b.wav"}}));
}

TEST_F(Play, APositionPastAShortWordPlaysNothingAndSelectsNothing) {
    choose(2);
    for (int i = 0; i < 4; ++i) key(keyTab);  // clue 5: A, "", D
    ticks(80);
    key(keyQ);
    EXPECT_EQ(heard(keyW), std::vector<std::string>{});
    EXPECT_EQ(Form1.selectedletter, "");
    EXPECT_EQ(heard(keyA), std::vector<std::string>{"1 \\sounds\\times.wav"});
}

TEST_F(Play, ASymbolKeyDropsWhatIsStillScheduled) {
    choose(1);
    key(keyEnter);
    ticks(10);
    EXPECT_EQ(heard(keyZ), std::vector<std::string>{"1 \\sounds\\d.wav"});
}

// --- Substitution -----------------------------------------------------------

TEST_F(Play, SpaceTogglesBetweenLettersAndDigitsAtOnce) {
    choose(1);
    keys({keyQ, key1});
    ticks(30);
    std::size_t from = mark();
    key(keySpace);
    EXPECT_EQ(playssince(from).size(), 1u);  // played at once, no tick needed
    EXPECT_EQ(Form1.substitute, 1);
    EXPECT_EQ(heard(keyQ), std::vector<std::string>{"1 \\sounds\\1.wav"});
    EXPECT_EQ(heard(keyW), std::vector<std::string>{"1 \\sounds\\b.wav"});  // no digit yet
    key(keySpace);
    EXPECT_EQ(heard(keyQ), std::vector<std::string>{"1 \\sounds\\a.wav"});
    std::vector<std::string> toggles;
    for (const SoundCall& c : os.sounds)
        if (c.op == "play" &&
            (c.clip == "\\sounds\\substitute.wav" || c.clip == "\\sounds\\original.wav"))
            toggles.push_back(c.clip);
    EXPECT_EQ(toggles,
              (std::vector<std::string>{"\\sounds\\substitute.wav", "\\sounds\\original.wav"}));
}

TEST_F(Play, SubstitutionReadsTheClueThroughThePad) {
    choose(1);
    keys({keyQ, key1});
    key(keySpace);
    ticks(30);
    std::vector<std::string> clips = heard(keyEnter);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips[0], "1 \\sounds\\1.wav");
    EXPECT_EQ(clips[1], "7 \\sounds\\b.wav");
}

// --- Digits and the scratch pad ---------------------------------------------

TEST_F(Play, ADigitAnnouncesTheSymbolAsWrittenAndSavesThePad) {
    choose(1);
    key(keyW);
    key(keySpace);  // substitute mode does not change the announcement
    EXPECT_EQ(heard(key5), (std::vector<std::string>{"1 \\sounds\\B.wav", "9 \\sounds\\issetto.wav",
                                                     "21 \\sounds\\5.wav"}));
    EXPECT_EQ(scratchfile(), scratchtext({"B", "5"}));
    key(key7);  // the same symbol again: its old slot
    key(keyQ);
    key(key0);
    EXPECT_EQ(Form1.scratchletter[1], "B");
    EXPECT_EQ(Form1.scratchdigit[1], "7");
    EXPECT_EQ(Form1.scratchletter[2], "A");
    EXPECT_EQ(Form1.scratchdigit[2], "0");
    EXPECT_EQ(scratchfile().substr(0, 12), "B\r\n7\r\nA\r\n0\r\n");
    EXPECT_FALSE(fs::exists(programdir / "scratch1.txt.new"));
}

TEST_F(Play, ADigitAfterAClickPlaysTheClickAndChangesNothing) {
    choose(1);
    key(keyE);  // a blank position
    EXPECT_EQ(heard(key7), click);
    EXPECT_EQ(Form1.scratchletter[1], "");
    EXPECT_FALSE(fs::exists(programdir / "scratch1.txt"));
    EXPECT_EQ(heard(keyQ), std::vector<std::string>{"1 \\sounds\\a.wav"});  // still playing
}

// A key the game ignores answers with the click, so the player knows it
// arrived, and cuts nothing short.
TEST_F(Play, AnIgnoredKeyClicksAndChangesNothing) {
    choose(1);
    // A digit before any letter was heard, a key with no meaning, a keypad digit.
    for (int code : {int(key7), int(keyG), 96}) EXPECT_EQ(heard(code), click) << code;
    EXPECT_EQ(Form1.selectedletter, "");
    EXPECT_FALSE(fs::exists(programdir / "scratch1.txt"));
    key(keyEnter);
    ticks(20);  // the row is being read
    std::vector<std::string> rest = heard(keyG);
    ASSERT_FALSE(rest.empty());
    EXPECT_EQ(rest.front(), click.front());
    EXPECT_EQ(rest.back(), "28 \\sounds\\e.wav") << "the click cut the reading short";
}

TEST_F(Play, AFullPadSaysSoAndNeverConfirmsTheDigit) {
    std::vector<std::string> lines;
    for (char c : std::string("FGHIJKLMNO")) lines.insert(lines.end(), {std::string(1, c), "1"});
    std::string pad = scratchtext(lines);
    writefile(programdir / "scratch1.txt", pad);
    choose(1);
    key(keyQ);
    EXPECT_EQ(heard(key5), std::vector<std::string>{"1 \\sounds\\padfull.wav"});
    EXPECT_EQ(scratchfile(), pad);
}

TEST_F(Play, ABlankMarkLeftInAnOldPadGivesWayToASymbol) {
    std::vector<std::string> lines;
    for (char c : std::string("_GHIJKLMNO")) lines.insert(lines.end(), {std::string(1, c), "1"});
    writefile(programdir / "scratch1.txt", scratchtext(lines));
    choose(1);
    key(keyQ);
    key(key5);
    EXPECT_EQ(Form1.scratchletter[1], "A");
    EXPECT_EQ(Form1.scratchdigit[1], "5");
}

// Ten letters fill the pad exactly: a stray digit after a click must not take
// a slot, or the last letter could never be stored and the puzzle never won.
TEST_F(Play, ATenLetterPuzzleIsWonByKeys) {
    writefile(workdir / "puzz3.txt",
              "1\r\n\"*\"\r\nABCD\r\nEFGH\r\nIJ__\r\nA B C D times E F G H equals I J\r\n"
              "J\r\nI\r\nH\r\nG\r\nF\r\nE\r\nD\r\nC\r\nB\r\nA\r\n");
    choose(3);
    keys({keyC, key3});  // a blank position and a digit
    const std::vector<std::pair<int, int>> moves{
        {keyQ, key9}, {keyW, key8}, {keyE, key7}, {keyR, key6}, {keyA, key5},
        {keyS, key4}, {keyD, key3}, {keyF, key2}, {keyZ, key1}, {keyX, key0}};
    for (auto [symbolkey, digit] : moves) {
        EXPECT_EQ(Module1.menulevel, 0) << symbolkey;
        key(symbolkey);
        key(digit);
        ticks(25);
    }
    EXPECT_EQ(Module1.menulevel, 1);  // won, back in the main menu
    EXPECT_EQ(Form1.scratchletter[10], "J");
}

// After each of these moves a digit key has no symbol to give its digit to:
// in a puzzle the click says so; in the menu a digit means nothing.
struct Move {
    std::string name;
    std::vector<std::pair<int, int>> keys;  // code and mask, pressed after Q on puzzle 1
};

void PrintTo(const Move& m, std::ostream* out) {
    *out << m.name;
}

class Clearing : public Play, public ::testing::WithParamInterface<Move> {};

TEST_P(Clearing, AMoveAwayClearsTheSelection) {
    choose(1);
    key(keyQ);
    for (auto [code, mask] : GetParam().keys) {
        key(code, mask);
        ticks(60);
    }
    EXPECT_EQ(Form1.selectedletter, "");
    // In a puzzle the digit only clicks; the menu ignores it without a sound.
    const bool inmenu = Module1.menulevel == 1;
    EXPECT_EQ(heard(key5), inmenu ? std::vector<std::string>{} : click);
    for (int n : {1, 2})
        EXPECT_FALSE(fs::exists(programdir / ("scratch" + std::to_string(n) + ".txt")));
}

INSTANTIATE_TEST_SUITE_P(
    Moves, Clearing,
    ::testing::Values(Move{"tab", {{keyTab, 0}}}, Move{"shifttab", {{keyTab, maskShift}}},
                      Move{"arrow", {{keyLeft, 0}}}, Move{"escape", {{keyEscape, 0}}},
                      // choosing a puzzle from the menu: the same one, and another
                      Move{"samepuzzle", {{keyEscape, 0}, {keyTab, 0}, {keyTab, 0}, {keyEnter, 0}}},
                      Move{
                          "otherpuzzle",
                          {{keyEscape, 0}, {keyTab, 0}, {keyTab, 0}, {keyTab, 0}, {keyEnter, 0}}}));

TEST_F(Play, AFailedSaveEndsTheGameAndKeepsTheOldFile) {
    writefile(programdir / "scratch1.txt", scratchtext({"A", "1"}));
    std::string before = scratchfile();
    choose(1);
    // The temporary file cannot be created: a directory stands in its place.
    fs::create_directory(programdir / "scratch1.txt.new");
    key(keyW);
    EXPECT_THROW(key(key3), Failure);
    EXPECT_EQ(scratchfile(), before);
}

// --- Answer check and the win -----------------------------------------------

TEST_F(Play, GivingEverySymbolItsDigitWins) {
    choose(1);
    for (auto [symbolkey, digit] :
         std::vector<std::pair<int, int>>{{keyQ, key1}, {keyW, key3}, {keyA, key4}, {keyZ, key5}}) {
        key(symbolkey);
        key(digit);
        ticks(25);
        EXPECT_EQ(Module1.menulevel, 0);
    }
    key(keyX);
    std::size_t from = mark();
    long origin = os.now;
    key(key2);
    // Win at once, the main menu 2.5 s (50 ticks) later.
    EXPECT_EQ(timedsince(from, origin),
              (std::vector<std::string>{"0 \\sounds\\win.wav", "50 \\sounds\\mainmenu.wav"}));
    ticks(40);
    EXPECT_EQ(playssince(from).size(), 2u);  // the winning assignment is not announced
    EXPECT_EQ(Module1.menulevel, 1);
    EXPECT_EQ(Module1.menuitem, 0);
    EXPECT_EQ(Form1.level, 1);
    EXPECT_EQ(scratchfile().substr(0, 30), "A\r\n1\r\nB\r\n3\r\nC\r\n4\r\nD\r\n5\r\nE\r\n2\r\n");
    key(keyTab);
    EXPECT_EQ(Form1.List1.front(), dir() + "\\sounds\\intro.wav");
}

struct PadCase {
    std::string name;
    std::vector<std::pair<std::string, std::string>> slots;
    bool wins;
};

void PrintTo(const PadCase& c, std::ostream* out) {
    *out << c.name;
}

class Check : public Play, public ::testing::WithParamInterface<PadCase> {};

TEST_P(Check, ThePadWinsOnlyWhenTheKeyConfirmsEverySymbol) {
    choose(1);  // key: * A E B C D * * * *
    int i = 1;
    for (auto [symbol, digit] : GetParam().slots) {
        Form1.scratchletter[i] = symbol;
        Form1.scratchdigit[i] = digit;
        ++i;
    }
    std::size_t from = mark();
    answercheck();
    EXPECT_EQ(Module1.menulevel, GetParam().wins ? 1 : 0);
    EXPECT_EQ(playssince(from).empty(), !GetParam().wins);
}

INSTANTIATE_TEST_SUITE_P(
    Pads, Check,
    ::testing::Values(
        PadCase{"right", {{"E", "2"}, {"A", "1"}, {"D", "5"}, {"B", "3"}, {"C", "4"}}, true},
        PadCase{"wrong", {{"E", "2"}, {"A", "1"}, {"D", "6"}, {"B", "3"}, {"C", "4"}}, false},
        PadCase{"extrablank",
                {{"E", "2"}, {"A", "1"}, {"_", "7"}, {"D", "5"}, {"B", "3"}, {"C", "4"}},
                true},
        PadCase{"shareddigit", {{"E", "2"}, {"A", "1"}, {"D", "5"}, {"B", "3"}, {"C", "3"}}, false},
        PadCase{"lowercase", {{"e", "2"}, {"A", "1"}, {"D", "5"}, {"B", "3"}, {"C", "4"}}, false},
        PadCase{"empty", {}, false}));

TEST_F(Play, AKeyWithNoSymbolsCanNeverBeWon) {
    writefile(workdir / "puzz3.txt", "0\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n*\r\n");
    choose(3);
    answercheck();
    EXPECT_EQ(Module1.menulevel, 0);
}

TEST_F(Play, ARestoredSolvedPadWinsOnlyAtTheNextAssignment) {
    writefile(programdir / "scratch1.txt",
              scratchtext({"A", "1", "B", "3", "C", "4", "D", "5", "E", "2"}));
    choose(1);
    ticks(100);
    EXPECT_EQ(Module1.menulevel, 0);
    key(keyQ);
    key(key1);
    EXPECT_EQ(Module1.menulevel, 1);
}

// --- H: the clue's sentence ---------------------------------------------------

TEST_F(Play, HSpeaksTheSentenceAfterAShortPause) {
    choose(1);
    key(keyTab);
    ticks(5);
    long begun = os.now;
    key(keyH);
    EXPECT_EQ(os.now - begun, 200);
    EXPECT_EQ(os.speech, std::vector<std::string>{"C is less than D|0|100"});
    EXPECT_EQ(Form1.schedcount, 0);
}

TEST_F(Play, HSaysALoneAAsTheLetter) {
    choose(1);  // A B times C equals D E
    key(keyH);
    EXPECT_EQ(os.speech, std::vector<std::string>{"Eigh B times C equals D E|0|100"});
    EXPECT_EQ(Form1.cluetext[1], "A B times C equals D E");
}

// --- Loading ----------------------------------------------------------------

TEST_F(Play, ChoosingALevelAgainReloadsItAndItsPad) {
    choose(1);
    keys({keyQ, key1});
    key(keyTab);
    key(keyEscape);
    choose(1);
    EXPECT_EQ(Form1.clueindex, 1);
    EXPECT_EQ(Form1.scratchletter[1], "A");
    EXPECT_EQ(Form1.scratchdigit[1], "1");
    EXPECT_EQ(Form1.scratchletter[2], "");
}

TEST_F(Play, KeysDuringTheLoadingPauseAlreadyPlay) {
    keys({keyTab, keyTab});
    os.pressat(os.now + 300, keyQ);
    key(keyEnter);
    EXPECT_EQ(Form1.selectedletter, "A");
}

struct BadFile {
    std::string name;
    std::string file;  // which file the fixture writes
    std::string text;
    std::string report;  // the start of the failure message
};

void PrintTo(const BadFile& c, std::ostream* out) {
    *out << c.name;
}

class BadInput : public Play, public ::testing::WithParamInterface<BadFile> {};

// A bad puzzle file ends the game; a bad scratch file does not (it is set
// aside, see faults_test.cpp).
TEST_P(BadInput, ABadFileEndsTheGameNamingFileAndLine) {
    const BadFile& bad = GetParam();
    writefile(workdir / "puzz1.txt", bad.text);
    writefile(programdir / "scratch1.txt", scratchtext({"A", "1"}));
    keys({keyTab, keyTab});
    try {
        key(keyEnter);
        FAIL() << "loaded";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()).rfind("puzz1.txt" + bad.report, 0), 0u) << f.what();
        EXPECT_LT(std::string(f.what()).size(), 300u);
    }
    EXPECT_EQ(scratchfile(), scratchtext({"A", "1"}));
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadInput,
    ::testing::Values(
        BadFile{"countnotanumber", "puzzle", "two\r\n", ":1:"},
        BadFile{"countabove16", "puzzle", "17\r\n", ":1:"},
        BadFile{"endsbeforethekey", "puzzle",
                "1\r\n\"*\"\r\nA___\r\nB___\r\nC___\r\nA times B equals C\r\n*\r\nA\r\n", ":9:"},
        BadFile{"symbolwithnoclip", "puzzle", "1\r\n\"*\"\r\nA\xFF__\r\n", ":3:"},
        BadFile{"hugesentence", "puzzle",
                "1\r\n\"*\",A___,B___,C___\r\n" + std::string(60000, 'a') + "\r\n", ":3:"},
        BadFile{"hugeoneline", "puzzle", std::string(60000, '7'), ":1:"}));

TEST_F(Play, AMissingPuzzleFileIsNamed) {
    keys({keyTab, keyTab, keyTab, keyTab, keyTab});  // puzzle 4: no file
    try {
        key(keyEnter);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find("puzz4.txt"), std::string::npos) << f.what();
    }
}

// --- Installed: data and saves in folders of their own ----------------------

// The installed game: clips, chart and shipped puzzles in a data folder, the
// pads in the player's save folder, started from a folder without puzzles.
class Installed : public Rig {
  protected:
    fs::path data = root / "share", saves = root / "state";
    void SetUp() override {
        fs::create_directories(data);
        fs::create_directories(saves);
        fs::remove(programdir / "soundchart.txt");
        writefile(data / "soundchart.txt", "");
        writefile(data / "puzz1.txt", twopuzzle);
        os.datadir = data.string();
        os.savedir = saves.string();
        start();
        ticks(1);
    }
};

TEST_F(Installed, AShippedPuzzlePlaysAndItsPadIsSavedInTheSaveFolder) {
    choose(1);
    EXPECT_EQ(Form1.cluecount, 2);
    keys({keyQ, key1});
    EXPECT_EQ(readfile(saves / "scratch1.txt"), scratchtext({"A", "1"}));
    EXPECT_FALSE(fs::exists(data / "scratch1.txt"));
    key(keyEscape);
    choose(1);  // and it is read back from there
    EXPECT_EQ(Form1.scratchdigit[1], "1");
}

TEST_F(Installed, APuzzleInTheWorkingDirectoryComesFirst) {
    writefile(workdir / "puzz1.txt", rowspuzzle);
    choose(1);
    EXPECT_EQ(Form1.cluecount, 6);
}

TEST_F(Installed, AMissingPuzzleNamesBothPlacesItWasLookedFor) {
    keys({keyTab, keyTab, keyTab, keyTab, keyTab});  // puzzle 4: in neither place
    try {
        key(keyEnter);
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()),
                  "cannot open the puzzle file puzz4.txt: it is neither in the working directory "
                  "nor in " +
                      data.string());
    }
}

}  // namespace
}  // namespace corvale::testing
