// The built-in side of "speech server first, else the built-in voice", as
// the game's voice and voxlet both use it: with no server to ask, the text
// is spoken by the engine and voice voice.txt names, read by the same rules
// as everywhere else; a refused value stops it before anything is spoken,
// while a file or a voice it cannot use gives way to the defaults.
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
    ServerFirst voice("test", dir.string(), true);
    EXPECT_EQ(voice.settings().voice, "kal");
    std::vector<int16_t> heard;
    int calls = 0;
    voice.speak("Clue 3", 0, 100, nullptr, [&](const std::string& text) {
        ++calls;
        heard = synthesized(text);
    });
    EXPECT_EQ(calls, 1);
    init(Choice{"flite", "kal"});
    EXPECT_EQ(heard, synthesized("Clue 3")) << "the built-in voice is flite's kal";
    init(Choice{});
}

TEST_F(ServerFirstTest, ARefusedValueStopsItBeforeAnythingIsSpoken) {
    voicefile("engine=flite\n");
    ServerFirst voice("test", dir.string(), true);
    bool called = false;
    EXPECT_THROW(
        voice.speak("Clue 3", 11, 100, nullptr, [&](const std::string&) { called = true; }),
        Failure);
    EXPECT_FALSE(called);
}

// A voice.txt or a voice it cannot use never silences it. The game's voice
// (told) says once, before the first text, what was wrong and what speaks;
// a voxlet (not told) just speaks.
TEST_F(ServerFirstTest, AFileOrVoiceItCannotUseGivesWayToTheDefaults) {
    struct Case {
        const char* name;
        const char* file;
        Choice speaks;
        const char* told;  // what the first text is preceded by; "" for nothing
    };
    // clang-format off
    const Case cases[] = {
        {"badline",  "engine=flite\nspeed=3\n",        Choice{},               ""},
        {"badvoice", "engine=flite\nvoice=nobody\n",   Choice{"flite", "slt"}, "voice.txt:2: flite has no voice \"nobody\""},
        {"badvoiceoflanguage", "voice=xx-nowhere\n",   Choice{},               "voice.txt:1: espeak-ng cannot load the voice \"xx-nowhere\""},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        voicefile(c.file);
        for (bool tell : {true, false}) {
            ServerFirst voice("test", dir.string(), tell);
            std::vector<std::string> said;
            std::vector<int16_t> heard;
            for (int i = 0; i < 2; ++i)
                voice.speak("Clue 3", 0, 100, nullptr, [&](const std::string& text) {
                    said.push_back(text);
                    heard = synthesized("Clue 3");
                });
            ASSERT_FALSE(said.empty());
            if (tell && *c.told) {
                ASSERT_EQ(said.size(), 3u);
                EXPECT_EQ(said[0].rfind(c.told, 0), 0u) << said[0];
                EXPECT_NE(said[0].find("speaks instead"), std::string::npos) << said[0];
                said.erase(said.begin());
            }
            EXPECT_EQ(said, (std::vector<std::string>{"Clue 3", "Clue 3"}));
            // The engines vary a sentence by a few samples from one time to
            // the next; one voice from another differs by far more.
            init(c.speaks);
            const double wanted = static_cast<double>(synthesized("Clue 3").size());
            EXPECT_NEAR(static_cast<double>(heard.size()), wanted, wanted / 20)
                << "not " << c.speaks.engine << " " << c.speaks.voice;
        }
    }
    init(Choice{});
}

}  // namespace
}  // namespace corvale::speech
