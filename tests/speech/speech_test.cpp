// The speech layer on the real engines, espeak-ng and flite alike: which
// values it refuses, that rate and volume reach the engine in the intended
// direction and proportion, that samples arrive in chunks as they are made,
// and that a failing sink or a wrong voice leaves the engine usable.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <ostream>
#include <stdexcept>
#include <vector>

#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::speech {

// How a test names the engine it ran on.
void PrintTo(const Choice& c, std::ostream* os) {
    *os << c.engine << " " << c.voice;
}

namespace {

struct Heard {
    std::vector<int16_t> samples;
    int chunks = 0;
    int peak() const {
        int p = 0;
        for (int16_t s : samples) p = std::max(p, std::abs(static_cast<int>(s)));
        return p;
    }
};

// The engine under test; the refusal test runs on the default.
Choice engine;

Heard speak(const std::string& text, int rate, int volume) {
    init(engine);
    Heard h;
    synthesize(text, rate, volume, [&](const int16_t* s, std::size_t n) {
        h.samples.insert(h.samples.end(), s, s + n);
        ++h.chunks;
    });
    return h;
}

TEST(Speech, RefusesValuesOutsideTheVoicesScales) {
    struct Case {
        int rate, volume;
        const char* refused;  // the value named in the refusal, or nullptr
    };
    const Case cases[] = {{-10, 0, nullptr},  {10, 100, nullptr}, {0, 50, nullptr},
                          {-11, 100, "rate"}, {11, 100, "rate"},  {0, -1, "volume"},
                          {0, 101, "volume"}};
    for (const Case& c : cases) {
        SCOPED_TRACE("rate " + std::to_string(c.rate) + " volume " + std::to_string(c.volume));
        const std::string why = refusal(c.rate, c.volume);
        if (!c.refused) {
            EXPECT_EQ(why, "");
            continue;
        }
        EXPECT_NE(why.find(c.refused), std::string::npos) << why;
        init(engine);
        bool called = false;
        EXPECT_THROW(synthesize("hello", c.rate, c.volume,
                                [&](const int16_t*, std::size_t) { called = true; }),
                     Failure);
        EXPECT_FALSE(called) << "a refused value must not be spoken, not even clamped";
    }
}

class Engine : public testing::TestWithParam<Choice> {
  protected:
    void SetUp() override { engine = GetParam(); }
    void TearDown() override { engine = Choice{}; }
};

TEST_P(Engine, SpeaksInChunksAsTheyAreMade) {
    const Heard h = speak("Clue 3", 2, 100);
    const double seconds = static_cast<double>(h.samples.size()) / samplerate;
    EXPECT_GT(seconds, 0.3);
    EXPECT_LT(seconds, 3.0);
    EXPECT_GT(h.peak(), 3000) << "speech at full volume is clearly audible";
    EXPECT_GT(h.chunks, 5) << "samples must reach the sink while the text is still being made";
}

TEST_P(Engine, FasterRateIsShorterSpeech) {
    const std::string text = "The quick brown fox jumps over the lazy dog.";
    const auto slow = speak(text, -10, 100).samples.size();
    const auto normal = speak(text, 0, 100).samples.size();
    const auto fast = speak(text, 10, 100).samples.size();
    EXPECT_LT(fast, normal);
    EXPECT_LT(normal, slow);
    // The ends of the scale are half and double the normal speed, so the
    // fastest speech takes about a quarter of the time of the slowest.
    EXPECT_LT(static_cast<double>(fast), 0.4 * static_cast<double>(slow));
}

TEST_P(Engine, VolumeScalesTheLevel) {
    const int full = speak("Clue 3", 0, 100).peak();
    const int half = speak("Clue 3", 0, 50).peak();
    EXPECT_GT(half, full * 3 / 10);
    EXPECT_LT(half, full * 7 / 10);
    EXPECT_EQ(speak("Clue 3", 0, 0).peak(), 0) << "volume 0 is silence";
}

TEST_P(Engine, SinkFailureReachesTheCallerAndTheEngineGoesOn) {
    init(engine);
    int calls = 0;
    auto failing = [&](const int16_t*, std::size_t) {
        ++calls;
        throw std::runtime_error("device gone");
    };
    EXPECT_THROW(synthesize("a longer sentence to speak", 0, 100, failing), std::runtime_error);
    EXPECT_EQ(calls, 1) << "synthesis stops at the first failing chunk";
    EXPECT_GT(speak("again", 0, 100).peak(), 3000);
}

TEST_P(Engine, InitIsIdempotentAndAnUnknownVoiceIsAFailure) {
    init(engine);
    init(engine);
    try {
        init(Choice{engine.engine, "no-such-voice-xyz"});
        ADD_FAILURE() << "an unknown voice must be a failure";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("no-such-voice-xyz"), std::string::npos) << e.what();
    }
    EXPECT_GT(speak("still speaking", 0, 100).peak(), 3000);
}

TEST_P(Engine, EmptyTextIsNoError) {
    EXPECT_NO_THROW(speak("", 2, 100));
}

INSTANTIATE_TEST_SUITE_P(Speech, Engine,
                         testing::Values(Choice{"espeak-ng", "en"}, Choice{"flite", "slt"},
                                         Choice{"flite", "kal"}),
                         [](const testing::TestParamInfo<Choice>& param) {
                             std::string name = param.param.engine + "_" + param.param.voice;
                             for (char& c : name)
                                 if (c == '-') c = '_';
                             return name;
                         });

TEST(Speech, SwitchingEnginesSpeaksWithEach) {
    // One process can move between the engines and back, as clipgen and the
    // tests do; each still speaks afterwards.
    for (const Choice& c :
         {Choice{"flite", "slt"}, Choice{"espeak-ng", "en"}, Choice{"flite", "awb"}}) {
        engine = c;
        EXPECT_GT(speak("Clue 3", 0, 100).peak(), 3000) << c.engine << " " << c.voice;
    }
    engine = Choice{};
}

TEST(Speech, EveryListedEngineSpeaksWithItsDefaultVoice) {
    // The engine list and the table of engine calls are kept in the same
    // order; a mismatch would open one engine with another's voice.
    for (const SpeechEngine& e : speechengines) {
        engine = Choice{e.name, defaultvoice(e.name, "en")};
        EXPECT_GT(speak("Clue 3", 0, 100).peak(), 3000) << e.name;
    }
    engine = Choice{};
}

}  // namespace
}  // namespace corvale::speech
