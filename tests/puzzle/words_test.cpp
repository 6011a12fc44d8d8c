// Puzzles in another language: a clip table's relation words make the
// sentences of generated and reworded puzzles, a table that cannot give them
// is refused by file (and line), and rewording changes nothing but the
// sentences.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "puzzle/reader.h"
#include "tests/support/tempfolder.h"
#include "tools/puzzletool/words.h"

namespace corvale::solver {
namespace {

namespace fs = std::filesystem;

const std::string sounds = std::string(CORVALE_SOURCE_DIR) + "/sounds/";

Words german() {
    Words w;
    EXPECT_EQ("", wordsfromtable(sounds + "clips.de.tsv", w));
    return w;
}

TEST(PuzzleWords, ATableGivesTheSentencesItsWords) {
    const Words w = german();
    EXPECT_EQ(sentence("*", "AB__", "C___", "DE__", w), "A B mal C gleich D E");
    EXPECT_EQ(sentence("-", "AB__", "C___", "D___", w), "A B minus C gleich D");
    EXPECT_EQ(sentence("<", "C___", "D___", "____", w), "C kleiner D");
    EXPECT_EQ(sentence("<", "C___", "D___", "____"), "C is less than D");
}

TEST(PuzzleWords, AGeneratedPuzzleSpeaksTheTablesLanguageAndChecksInIt) {
    const Words w = german();
    std::string text;
    ASSERT_EQ("", generate({6, 5, 16}, text, w));
    Puzzle p;
    ASSERT_EQ("", readpuzzle(text, "neu.txt", p));
    for (int i = 1; i <= p.cluecount; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        EXPECT_EQ(p.cluetext[r], sentence(p.clueop[r], p.cluea[r], p.clueb[r], p.cluec[r], w));
    }
    EXPECT_TRUE(checkpuzzle(text, "neu.txt", w).line.ends_with("redundant: none"));
    EXPECT_NE(checkpuzzle(text, "neu.txt").line.find("read differently"), std::string::npos);
}

TEST(PuzzleWords, RewordingChangesOnlyTheSentences) {
    const std::string english =
        "2\r\n\"*\"\r\nAB__\r\nC___\r\nDE__\r\nwhatever was here\r\n"
        "\"<\"\r\nC___\r\nD___\r\n____\r\nC is less than D\r\n"
        "\"*\"\r\nA\r\nE\r\nB\r\nC\r\nD\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n";
    std::string error;
    const std::string reworded = reword(english, "p.txt", german(), error);
    ASSERT_EQ("", error);
    std::string expected = english;
    expected.replace(expected.find("whatever was here"), 17, "A B mal C gleich D E");
    expected.replace(expected.find("C is less than D"), 16, "C kleiner D");
    EXPECT_EQ(reworded, expected);

    EXPECT_EQ("", reword("2\r\n", "short.txt", german(), error));
    EXPECT_EQ(error.rfind("short.txt:", 0), 0u) << error;
}

TEST(PuzzleWords, ATableThatCannotGiveTheWordsIsRefused) {
    const testsupport::TempFolder temp{"words"};
    const fs::path& dir = temp.root;
    struct Case {
        const char* table;
        std::string error;
    };
    const std::string file = (dir / "clips.xx.tsv").string();
    const Case cases[] = {
        {"times\tmal\nminus\tminus\nislessthan\tkleiner\n", file + ": no row \"equals\""},
        {"times\tmal\nminus\tminus, weniger\n", file + ":2: \"minus, weniger\" holds a comma"},
        {"times mal\n", file + ":1: no tab"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.table);
        std::ofstream(file, std::ios::binary) << c.table;
        Words w;
        const std::string error = wordsfromtable(file, w);
        EXPECT_EQ(error.rfind(c.error, 0), 0u) << error;
        EXPECT_EQ(w.times, "times");  // left as it was
    }
    Words w;
    EXPECT_NE(wordsfromtable((dir / "none.tsv").string(), w).find("none.tsv"), std::string::npos);
}

}  // namespace
}  // namespace corvale::solver
