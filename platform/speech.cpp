// Speech synthesis into memory with espeak-ng, shared by voxlet, the in-game
// voice and the clip generator. The engine is opened once per process in its
// synchronous mode, so every chunk of samples reaches the caller's sink on
// the caller's own thread before synthesize() returns; the voice's rate and
// volume scales are translated into espeak-ng's units here and nowhere else.
#include "platform/speech.h"

#include <espeak-ng/espeak_ng.h>

#include <cmath>
#include <exception>
#include <mutex>

#include "platform/failure.h"

namespace corvale::speech {

namespace {

// The voice's scales, as the game and voxlet pass them.
constexpr int slowest = -10;
constexpr int silent = 0, loudest = 100;

// Words per minute for a rate. Each step of the rate scale multiplies the
// speed by the same factor, as a listener expects of a speed control, with 0
// at espeak-ng's normal 175 wpm and the ends at half and double speed:
//     wpm = round(175 * 2^(rate / 10))   (-10 -> 88, 0 -> 175, 2 -> 201, 10 -> 350)
// Doubling is the widest span that keeps both ends inside espeak-ng's
// 80..450 wpm, so the engine never clamps a value we hand it. The clips'
// rates above 10 (up to 20 -> 700 wpm) go past 450, where espeak-ng speeds
// its output up further by time compression instead of clamping.
int wordsperminute(int rate) {
    return static_cast<int>(std::lround(175.0 * std::exp2(rate / 10.0)));
}

// espeak-ng's amplitude for a volume. Its volume is a linear gain with 100 as
// the normal full level (above that it compresses and distorts), the same
// shape as the voice's 0..100, so the value passes through unchanged.
int amplitude(int volume) {
    return volume;
}

// Short chunks let a player hear the first sound while the rest of the
// sentence is still being made; the cost is a few more calls of the sink.
constexpr int chunkmilliseconds = 20;

using Sink = std::function<void(const int16_t*, std::size_t)>;

// The one synthesis in progress. espeak-ng keeps global state and calls back
// on the synthesising thread, so one lock covers the engine and this job.
struct Job {
    const Sink* sink = nullptr;
    std::exception_ptr error;
};
std::mutex engine;
bool opened = false;
std::string currentvoice;
Job* running = nullptr;

std::string message(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

// Called by espeak-ng for each chunk. A sink that throws must not unwind
// through the C library: the exception is kept, synthesis is aborted, and
// synthesize() throws it again once the engine has returned.
int collect(short* wav, int count, espeak_EVENT*) {
    Job* job = running;
    if (!job || !wav || count <= 0) return 0;
    if (job->error) return 1;
    try {
        (*job->sink)(wav, static_cast<std::size_t>(count));
    } catch (...) {
        job->error = std::current_exception();
        return 1;
    }
    return 0;
}

}  // namespace

void init(const std::string& voicename) {
    std::lock_guard lock(engine);
    if (!opened) {
        espeak_ng_InitializePath(nullptr);
        espeak_ng_ERROR_CONTEXT context = nullptr;
        espeak_ng_STATUS status = espeak_ng_Initialize(&context);
        espeak_ng_ClearErrorContext(&context);
        if (status != ENS_OK) fail("cannot start the espeak-ng speech engine: " + message(status));
        status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, chunkmilliseconds, nullptr);
        if (status != ENS_OK)
            fail("cannot open espeak-ng's output into memory: " + message(status));
        if (espeak_ng_GetSampleRate() != samplerate)
            fail("espeak-ng speaks at " + std::to_string(espeak_ng_GetSampleRate()) +
                 " Hz, not the expected " + std::to_string(samplerate) + " Hz");
        espeak_SetSynthCallback(collect);
        opened = true;
    }
    if (voicename == currentvoice) return;
    espeak_ng_STATUS status = espeak_ng_SetVoiceByName(voicename.c_str());
    if (status != ENS_OK)
        fail("espeak-ng cannot load the voice \"" + voicename + "\": " + message(status));
    currentvoice = voicename;
}

std::string refusal(int rate, int volume, int fastestrate) {
    if (rate < slowest || rate > fastestrate)
        return "rate " + std::to_string(rate) + " is refused: the voice takes a rate from " +
               std::to_string(slowest) + " to " + std::to_string(fastestrate);
    if (volume < silent || volume > loudest)
        return "volume " + std::to_string(volume) + " is refused: the voice takes a volume from " +
               std::to_string(silent) + " to " + std::to_string(loudest);
    return "";
}

void synthesize(const std::string& text, int rate, int volume, const Sink& sink, int fastestrate) {
    if (std::string why = refusal(rate, volume, fastestrate); !why.empty()) fail(why);
    std::lock_guard lock(engine);
    if (!opened) fail("speech synthesis was asked for before the speech engine was started");

    espeak_ng_STATUS status = espeak_ng_SetParameter(espeakRATE, wordsperminute(rate), 0);
    if (status == ENS_OK) status = espeak_ng_SetParameter(espeakVOLUME, amplitude(volume), 0);
    if (status != ENS_OK) fail("espeak-ng refused the rate or volume: " + message(status));

    Job job{&sink, nullptr};
    running = &job;
    status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                  espeakCHARS_UTF8, nullptr, nullptr);
    running = nullptr;
    if (job.error) std::rethrow_exception(job.error);
    if (status != ENS_OK) fail("espeak-ng could not speak \"" + text + "\": " + message(status));
}

}  // namespace corvale::speech
