// Game paths on the host: backslash paths, clip names in any letter case,
// and saves that replace a file whole or leave it as it was.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/failure.h"
#include "platform/files.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

class Files : public ::testing::Test {
protected:
    fs::path root;
    Files() {
        char pattern[] = "/tmp/corvale-files-XXXXXX";
        root = ::mkdtemp(pattern);
        fs::create_directories(root / "sounds");
        std::ofstream(root / "sounds" / "b.wav") << "clip";
    }
    ~Files() override { fs::remove_all(root); }
    std::string game(const std::string& relative) const { return root.string() + relative; }
};

TEST_F(Files, FindsAClipWhateverTheLetterCase) {
    std::string clip = (root / "sounds" / "b.wav").string();
    EXPECT_EQ(hostpath(game("\\sounds\\b.wav")), clip);
    EXPECT_EQ(hostpath(game("\\SOUNDS\\B.wav")), clip);
    EXPECT_TRUE(fileexists(game("\\Sounds\\B.WAV")));
    EXPECT_FALSE(fileexists(game("\\sounds\\c.wav")));
    EXPECT_FALSE(fileexists(game("\\sounds")));  // a folder is no file
    EXPECT_EQ(readtextfile(game("\\sounds\\B.wav")), "clip");
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

}  // namespace
}  // namespace corvale
