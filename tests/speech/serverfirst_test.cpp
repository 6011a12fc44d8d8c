// The built-in side of "speech server first, else the built-in voice", as
// the game's voice and voxlet both use it: with no server to ask, the text
// is spoken by the engine and voice voice.txt names, read by the same rules
// as everywhere else; a bad file or a refused value stops it before anything
// is spoken.
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <vector>

#include "platform/failure.h"
#include "speech/serverfirst.h"
#include "speech/speech.h"

namespace corvale::speech {
namespace {

class ServerFirstTest : public testing::Test {
  protected:
    void SetUp() override {
        // Never the desktop's server: the built-in voice is under test.
        ::setenv("CORVALE_SPEECH", "espeak", 1);
        char pattern[] = "/tmp/corvale-serverfirst-XXXXXX";
        dir = ::mkdtemp(pattern);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        ::unsetenv("CORVALE_SPEECH");
    }
    void voicefile(const std::string& text) { std::ofstream(dir / "voice.txt") << text; }

    std::filesystem::path dir;
};

std::vector<int16_t> synthesized(const std::string& text) {
    std::vector<int16_t> samples;
    synthesize(text, 0, 100,
               [&](const int16_t* s, std::size_t n) { samples.insert(samples.end(), s, s + n); });
    return samples;
}

TEST_F(ServerFirstTest, TheBuiltInVoiceIsTheOneTheFileNames) {
    voicefile("engine = flite\nvoice = kal\nlanguage = en\n");
    ServerFirst voice("test", dir.string());
    EXPECT_EQ(voice.settings().voice, "kal");
    std::vector<int16_t> heard;
    int calls = 0;
    voice.speak("Clue 3", 0, 100, nullptr, [&] {
        ++calls;
        heard = synthesized("Clue 3");
    });
    EXPECT_EQ(calls, 1);
    init(Choice{"flite", "kal"});
    EXPECT_EQ(heard, synthesized("Clue 3")) << "the built-in voice is flite's kal";
    init(Choice{});
}

TEST_F(ServerFirstTest, ABadFileOrValueIsRefusedBeforeAnythingIsSpoken) {
    voicefile("engine=flite\nspeed=3\n");
    try {
        ServerFirst voice("test", dir.string());
        ADD_FAILURE() << "an unknown key was taken";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("voice.txt:2:"), std::string::npos) << e.what();
    }
    voicefile("engine=flite\n");
    ServerFirst voice("test", dir.string());
    bool called = false;
    EXPECT_THROW(voice.speak("Clue 3", 11, 100, nullptr, [&] { called = true; }), Failure);
    EXPECT_FALSE(called);
}

}  // namespace
}  // namespace corvale::speech
