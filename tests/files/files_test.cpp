// Game paths on the host: backslash paths, clip names in any letter case,
// and saves that replace a file whole or leave it as it was.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <vector>

#include "files/files.h"
#include "platform/failure.h"
#include "tests/support/tempfolder.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
  protected:
    testsupport::TempFolder temp{"files"};
    fs::path root = temp.root;
    Files() {
        fs::create_directories(root / "sounds");
        std::ofstream(root / "sounds" / "b.wav") << "clip";
    }
    std::string game(const std::string& relative) const { return root.string() + relative; }
};

TEST_F(Files, FindsAClipWhateverTheLetterCase) {
    std::string clip = (root / "sounds" / "b.wav").string();
    EXPECT_EQ(hostpath(game("\\sounds\\b.wav")), clip);
#ifndef _WIN32  // Windows's file systems ignore letter case: the name as written reaches it
    EXPECT_EQ(hostpath(game("\\SOUNDS\\B.wav")), clip);
#endif
    EXPECT_TRUE(fileexists(game("\\Sounds\\B.WAV")));
    EXPECT_FALSE(fileexists(game("\\sounds\\c.wav")));
    EXPECT_FALSE(fileexists(game("\\sounds")));  // a folder is no file
    EXPECT_EQ(readtextfile(game("\\sounds\\B.wav")), "clip");
}

// A path as the host's file system tells names apart: on Windows, which
// ignores letter case, the name as asked reaches the file as well.
std::string inhostcase(std::string path) {
#ifdef _WIN32
    for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
#endif
    return path;
}

// The game names every clip NAME.wav; a set built as Ogg Vorbis holds
// NAME.ogg, which stands in only where no file of the name itself is there.
TEST_F(Files, FindsAClipNamedWavAsOgg) {
    for (const char* name : {"c.ogg", "D.ogg", "e.wav", "e.ogg", "g.txt.ogg"})
        std::ofstream(root / "sounds" / name) << name;
    const struct {
        const char* asked;
        const char* found;  // under root, "" for nothing
    } cases[] = {
        {"\\sounds\\c.wav", "/sounds/c.ogg"},
        {"\\SOUNDS\\C.WAV", "/sounds/c.ogg"},
        {"\\sounds\\d.wav", "/sounds/D.ogg"},
        {"\\sounds\\e.wav", "/sounds/e.wav"},
        {"\\sounds\\f.wav", ""},
        {"\\sounds\\g.txt", ""},
        {"\\nosuch\\c.wav", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.asked);
        const std::string asked = game(c.asked);
        EXPECT_EQ(fileexists(asked), *c.found != 0);
        if (*c.found) {
            const fs::path found = (root / fs::path(c.found + 1)).make_preferred();
            EXPECT_EQ(inhostcase(hostpath(asked)), inhostcase(found.string()));
            EXPECT_EQ(readtextfile(asked), found.filename().string());
        } else {
            std::string converted = asked;
            std::replace(converted.begin(), converted.end(), '\\',
                         static_cast<char>(fs::path::preferred_separator));
            EXPECT_EQ(hostpath(asked), converted);
        }
    }
}

TEST_F(Files, ASaveReplacesTheFileWhole) {
    writetextfile(game("\\scratch1.txt"), "old\r\n");
    writetextfile(game("\\scratch1.txt"), "new\r\n");
    EXPECT_EQ(readtextfile(game("\\scratch1.txt")), "new\r\n");
    EXPECT_FALSE(fs::exists(root / "scratch1.txt.new"));
}

TEST_F(Files, AFailedSaveLeavesTheOldFileAndSaysWhichFile) {
    writetextfile(game("\\scratch1.txt"), "old\r\n");
    fs::create_directory(root / "scratch1.txt.new");  // the temporary file cannot be made
    try {
        writetextfile(game("\\scratch1.txt"), "new\r\n");
        FAIL() << "saved";
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find((root / "scratch1.txt").string()), std::string::npos);
    }
    EXPECT_EQ(readtextfile(game("\\scratch1.txt")), "old\r\n");
}

TEST_F(Files, AMissingFileIsNamedWhenRead) {
    try {
        readtextfile(game("\\soundchart.txt"));
        FAIL() << "read";
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find("soundchart.txt"), std::string::npos);
    }
}

// What may stand where the game expects a small text file is refused at
// once, named, and never read: nothing is waited on and nothing large is
// taken into memory.
TEST_F(Files, ReadsRefuseWhatNoValidFileIs) {
    const fs::path big = root / "big.txt", edge = root / "edge.txt";
    std::ofstream(big) << "";
    fs::resize_file(big, 100u << 20);  // sparse: 100 MB that take no room
    std::ofstream(edge) << std::string(mostgamefile, 'x');
    EXPECT_EQ(readtextfile(edge.string()).size(), mostgamefile);
    std::ofstream(edge, std::ios::app) << "x";
    std::vector<std::pair<fs::path, std::string>> cases = {
        {root / "sounds", "it is not a plain file"},
        {big, "it holds 104857600 bytes, more than the 65536"},
        {edge, "it holds 65537 bytes"}};
#ifndef _WIN32  // Windows has no FIFO in the file system
    const fs::path fifo = root / "fifo.txt";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    cases.push_back({fifo, "it is not a plain file"});
#endif
    for (const auto& [path, reason] : cases) {
        try {
            readtextfile(path.string());
            ADD_FAILURE() << path << " was read";
        } catch (const Failure& f) {
            EXPECT_NE(std::string(f.what()).find("cannot read " + path.string() + ": " + reason),
                      std::string::npos)
                << f.what();
        }
    }
    // The clip table clipgen reads is held to no bound unless asked.
    EXPECT_EQ(readwholefile(edge.string()).size(), mostgamefile + 1);
}

// Input quoted in a message stays short and printable whatever it holds.
TEST(Shown, QuotesInputShortAndPrintable) {
    std::string stray;  // 37 bytes that start no character, each written \x80
    for (int i = 0; i < 37; ++i) stray += "\\x80";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"AB__", "\"AB__\""},
        {"a\tb\r\n", "\"a\\x09b\\x0D\\x0A\""},
        {"\xFF\xC3", "\"\\xFF\\xC3\""},
        {"caf\xC3\xA9", "\"caf\xC3\xA9\""},  // a whole character stays
        {std::string(100, 'x'), "\"" + std::string(40, 'x') + "\"... (100 bytes)"},
        // Cut before a character that would not fit whole.
        {std::string(39, 'x') + "\xC3\xA9y", "\"" + std::string(39, 'x') + "\"... (42 bytes)"},
        {std::string(1000000, '\x80'), "\"" + stray + "\"... (1000000 bytes)"},
    };
    for (const auto& [input, want] : cases) EXPECT_EQ(shown(input), want);
}

#ifdef _WIN32
// A report said aloud names each file by its name alone, in Windows's folder
// forms too: a drive, either separator, and folder names with blanks.
TEST(SpokenReports, LeaveOutWindowsFolders) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"cannot read C:\\Users\\Ann Lee\\AppData\\Local\\Corvale\\settings.txt: it is "
         "not a plain file",
         "cannot read settings.txt: it is not a plain file"},
        {"D:/games/corvale\\puzz1.txt:3: the clue count", "puzz1.txt:3: the clue count"},
        {"the clue \"A/B\" is wrong", "the clue \"A/B\" is wrong"},
    };
    for (const auto& [report, said] : cases) EXPECT_EQ(withoutfolders(report), said);
}
#endif

TEST(Lines, SplitOnCrLfAndLfAndTrim) {
    EXPECT_EQ(splitlines("a\r\nb\n\nc"), (std::vector<std::string>{"a", "b", "", "c"}));
    EXPECT_EQ(splitlines("a\r\n"), (std::vector<std::string>{"a"}));
    EXPECT_EQ(trim(" \ta b\t "), "a b");
    EXPECT_EQ(trim(" \t x \t", " "), "\t x \t");
    EXPECT_EQ(withoutbom("\xEF\xBB\xBF"
                         "1\r\n"),
              "1\r\n");
}

}  // namespace
}  // namespace corvale
