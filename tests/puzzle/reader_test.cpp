// The puzzle and scratch file readers, against small texts that show each
// reading rule and each way a hand-edited file can go wrong. The good cases
// form one table so every layout is compared with the same expected model.
#include "puzzle/reader.h"

#include "platform/failure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace corvale {
namespace {

// The two-row puzzle every good layout below spells: 13 x 4 = 52, 4 < 5.
Puzzle tworows() {
    Puzzle p;
    p.cluecount = 2;
    p.clueop[1] = "*";
    p.cluea[1] = "AB__";
    p.clueb[1] = "C___";
    p.cluec[1] = "DE__";
    p.cluetext[1] = "A B times C equals D E";
    p.clueop[2] = "<";
    p.cluea[2] = "C___";
    p.clueb[2] = "D___";
    p.cluec[2] = "____";
    p.cluetext[2] = "C is less than D";
    p.answerkey = {"*", "A", "E", "B", "C", "D", "*", "*", "*", "*"};
    return p;
}

const char* const kKeyLines =
    "\"*\"\r\nA\r\nE\r\nB\r\nC\r\nD\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n";

void expectsame(const Puzzle& want, const Puzzle& got) {
    EXPECT_EQ(want.cluecount, got.cluecount);
    for (std::size_t i = 0; i < want.clueop.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(want.clueop[i], got.clueop[i]);
        EXPECT_EQ(want.cluea[i], got.cluea[i]);
        EXPECT_EQ(want.clueb[i], got.clueb[i]);
        EXPECT_EQ(want.cluec[i], got.cluec[i]);
        EXPECT_EQ(want.cluetext[i], got.cluetext[i]);
    }
    EXPECT_EQ(want.answerkey, got.answerkey);
}

struct GoodCase {
    const char* name;
    std::string text;
    Puzzle want;
};

std::vector<GoodCase> goodcases() {
    std::vector<GoodCase> cases;
    const std::string rows =
        "2\r\n\"*\"\r\nAB__\r\nC___\r\nDE__\r\nA B times C equals D E\r\n"
        "\"<\"\r\nC___\r\nD___\r\n____\r\nC is less than D\r\n";
    cases.push_back({"one field per line", rows + kKeyLines, tworows()});

    cases.push_back({"row on one line with commas",
                     "2\r\n\"*\",AB__,C___,DE__\r\nA B times C equals D E\r\n"
                     "  \"<\", C___ ,D___,____\r\nC is less than D\r\n" +
                         std::string(kKeyLines),
                     tworows()});

    cases.push_back({"LF line ends",
                     "2\n\"*\"\nAB__\nC___\nDE__\nA B times C equals D E\n"
                     "\"<\"\nC___\nD___\n____\nC is less than D\n"
                     "\"*\",A,E,B,C,D,\"*\",\"*\",\"*\",\"*\"",
                     tworows()});

    Puzzle commas = tworows();
    commas.cluetext[1] = "A B, times C, equals D E";
    commas.cluetext[2] = "\"C, it is less than D\"";
    cases.push_back({"sentences with commas and quotes are read whole",
                     "2\r\n\"*\"\r\nAB__\r\nC___\r\nDE__\r\nA B, times C, equals D E\r\n"
                     "\"<\"\r\nC___\r\nD___\r\n____\r\n\"C, it is less than D\"\r\n" +
                         std::string(kKeyLines),
                     commas});

    Puzzle quoted = tworows();
    quoted.clueop[1] = "x,y";
    cases.push_back({"quoted field holds a comma; text after its quote is dropped",
                     "2\r\n\"x,y\" junk\r\nAB__\r\nC___\r\nDE__\r\nA B times C equals D E\r\n"
                     "\"<\"\r\nC___\r\nD___\r\n____\r\nC is less than D\r\n" +
                         std::string(kKeyLines),
                     quoted});

    Puzzle blank = tworows();
    blank.cluec[2] = "";
    cases.push_back({"blank line reads as an empty field; trailing text ignored",
                     "2\r\n\"*\"\r\nAB__\r\nC___\r\nDE__\r\nA B times C equals D E\r\n"
                     "\"<\"\r\nC___\r\nD___\r\n\r\nC is less than D\r\n" +
                         std::string(kKeyLines) + "anything, at all\r\n",
                     blank});

    cases.push_back({"a byte-order mark before the count is skipped",
                     "\xEF\xBB\xBF" + rows + kKeyLines, tworows()});

    Puzzle none;
    none.answerkey = {"*", "A", "E", "B", "C", "D", "*", "*", "*", "*"};
    cases.push_back(
        {"zero rows: the next ten fields are the key", "0\r\n" + std::string(kKeyLines), none});
    return cases;
}

TEST(PuzzleReader, ReadsEveryLayoutOfTheSamePuzzle) {
    for (const GoodCase& c : goodcases()) {
        SCOPED_TRACE(c.name);
        Puzzle got;
        ASSERT_EQ("", readpuzzle(c.text, "puzz1.txt", got));
        expectsame(c.want, got);
    }
}

TEST(PuzzleReader, RowsPastTheCountKeepTheEarlierPuzzle) {
    Puzzle model = tworows();
    ASSERT_EQ("", readpuzzle("0\r\n" + std::string(kKeyLines), "puzz2.txt", model));
    EXPECT_EQ(0, model.cluecount);
    EXPECT_EQ("AB__", model.cluea[1]);
    EXPECT_EQ("C is less than D", model.cluetext[2]);
}

struct BadCase {
    const char* name;
    std::string text;
    std::string message;
};

TEST(PuzzleReader, RejectsBrokenFilesNamingFileAndLine) {
    const std::string full =
        "1\r\n\"*\"\r\nA___\r\nB___\r\nC___\r\nA times B equals C\r\n" + std::string(kKeyLines);
    const std::vector<BadCase> cases = {
        {"empty file", "", "x.txt:1: the file ends before the number of rows"},
        {"ends in the key", full.substr(0, full.find("C\r\nD\r\n")),
         "x.txt:11: the file ends before the answer key for digit 4"},
        {"ends before a row's sentence", "1\r\n\"*\"\r\nA___\r\nB___\r\nC___\r\n",
         "x.txt:6: the file ends before the sentence of row 1"},
        {"ends inside a row", "2\r\n\"*\",A___,B___,C___\r\nA times B equals C\r\n\"-\",A___",
         "x.txt:4: the file ends before the second word of row 2"},
        {"count 17", "17\r\n",
         "x.txt:1: the number of rows must be a whole number from 0 to 16, "
         "not \"17\""},
        {"count -1", "-1\r\n",
         "x.txt:1: the number of rows must be a whole number from 0 to 16, "
         "not \"-1\""},
        {"count blank", "\r\nx\r\n",
         "x.txt:1: the number of rows must be a whole number from 0 to "
         "16, not \"\""},
        {"count word", "x\r\n",
         "x.txt:1: the number of rows must be a whole number from 0 to 16, "
         "not \"x\""},
        {"unclosed quote", "1\r\n\"*\r\nA___\r\n",
         "x.txt:2: the quote that opens the relation of row 1 is not closed on this line"},
        // Symbols the game cannot speak or save, and fields past their bounds.
        {"quoted comma in a word", "1\r\n\"*\"\r\n\"A,B\"\r\n",
         "x.txt:3: the first word of row 1 holds \",\", which is no symbol: a word is made of "
         "letters, digits and _"},
        {"byte with no clip", "1\r\n\"*\"\r\nA___\r\nB\xFF__\r\n",
         "x.txt:4: the second word of row 1 holds \"\\xFF\", which is no symbol: a word is made "
         "of letters, digits and _"},
        {"space inside a word", "1\r\n\"*\",A___,B___,\"C D\"\r\n",
         "x.txt:2: the third word of row 1 holds \" \", which is no symbol: a word is made of "
         "letters, digits and _"},
        {"five positions", "1\r\n\"*\"\r\nABCDE\r\n",
         "x.txt:3: the first word of row 1 is \"ABCDE\", longer than four positions"},
        {"sentence of 121 bytes", "1\r\n\"*\",A___,B___,C___\r\n" + std::string(121, 'a'),
         "x.txt:3: the sentence of row 1 is 121 bytes long; at most 120 are spoken"},
        {"long relation", "1\r\n" + std::string(17, '*') + "\r\n",
         "x.txt:2: the relation of row 1 \"*****************\" is too long"},
        {"long key", "0\r\n" + std::string(17, 'A') + "\r\n",
         "x.txt:2: the answer key for digit 0 \"AAAAAAAAAAAAAAAAA\" is too long"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Puzzle model = tworows();
        EXPECT_EQ(c.message, readpuzzle(c.text, "x.txt", model));
        expectsame(tworows(), model);
    }
}

Scratch threeslots() {
    Scratch pad;
    pad.scratchletter[1] = "A";
    pad.scratchdigit[1] = "1";
    pad.scratchletter[2] = "E";
    pad.scratchdigit[2] = "2";
    pad.scratchletter[3] = "_";
    pad.scratchdigit[3] = "0";
    return pad;
}

TEST(ScratchFile, WritesTwentyCrLfLinesAndReadsThemBack) {
    const std::string text = writescratch(threeslots());
    std::string tail;
    for (int i = 0; i < 14; ++i) tail += "\r\n";
    EXPECT_EQ("A\r\n1\r\nE\r\n2\r\n_\r\n0\r\n" + tail, text);

    Scratch got;
    got.scratchletter[9] = "stale";
    ASSERT_EQ("", readscratch(text, "scratch1.txt", got));
    EXPECT_EQ(threeslots().scratchletter, got.scratchletter);
    EXPECT_EQ(threeslots().scratchdigit, got.scratchdigit);

    Scratch empty;
    ASSERT_EQ("", readscratch(writescratch(Scratch{}), "scratch1.txt", empty));
    EXPECT_EQ(Scratch{}.scratchletter, empty.scratchletter);
}

// The writer never produces a file its reader refuses or reads differently.
TEST(ScratchFile, APadThatWouldNotReadBackIsNotWritten) {
    for (const char* symbol : {",", " A", "\"", "AB", "\xFF"}) {
        SCOPED_TRACE(symbol);
        Scratch pad = threeslots();
        pad.scratchletter[4] = symbol;
        pad.scratchdigit[4] = "7";
        EXPECT_THROW(writescratch(pad), Failure);
    }
}

TEST(ScratchFile, RejectsFilesTheGameDidNotWrite) {
    const std::string good = writescratch(threeslots());
    std::string nineteen = good.substr(0, good.size() - 2);
    std::string twelve = good;
    twelve.replace(twelve.find("E\r\n2"), 4, "E\r\n12");
    std::string letter = good;
    letter.replace(letter.find("_\r\n0"), 4, "_\r\na");
    std::string nodigit = good;
    nodigit.replace(nodigit.find("E\r\n2"), 4, "E\r\n");
    const std::vector<BadCase> cases = {
        {"19 lines", nineteen,
         "s.txt:20: the file ends before the digit of slot 10; a scratch file has twenty lines"},
        {"digit 12", twelve,
         "s.txt:4: the digit of slot 2 is \"12\"; it must be one digit 0 to 9, or nothing for "
         "an empty slot"},
        {"digit a", letter,
         "s.txt:6: the digit of slot 3 is \"a\"; it must be one digit 0 to 9, or nothing for an "
         "empty slot"},
        {"symbol without digit", nodigit, "s.txt:4: slot 2 gives the symbol \"E\" no digit"},
        {"two symbols in a slot", "AB\r\n1\r\n",
         "s.txt:1: the symbol of slot 1 is \"AB\"; it must be one letter, digit or _"},
        {"quoted comma", "\",\"\r\n1\r\n",
         "s.txt:1: the symbol of slot 1 is \",\"; it must be one letter, digit or _"},
        {"byte with no clip",
         good.substr(0, good.find('E')) + "\xFF" + good.substr(good.find('E') + 1),
         "s.txt:3: the symbol of slot 2 is \"\\xFF\"; it must be one letter, digit or _"},
    };
    for (const BadCase& c : cases) {
        SCOPED_TRACE(c.name);
        Scratch pad = threeslots();
        EXPECT_EQ(c.message, readscratch(c.text, "s.txt", pad));
        EXPECT_EQ(threeslots().scratchletter, pad.scratchletter);
    }
}

}  // namespace
}  // namespace corvale
