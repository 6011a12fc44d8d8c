// The espeak-ng engine behind the speech layer. The library is opened once
// per process in its synchronous mode, so every chunk of samples reaches the
// caller's sink on the caller's own thread before the call returns; the
// voice's rate and volume scales are translated into espeak-ng's units here
// and nowhere else.
#include <espeak-ng/espeak_ng.h>

#include <cmath>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/engines.h"
#include "speech/speech.h"

namespace corvale::speech::engines {

namespace {

// Words per minute for a rate: 175 wpm, espeak-ng's normal, times the speed
// factor (-10 -> 88, 0 -> 175, 2 -> 201, 10 -> 350). Doubling is the widest
// span that keeps both ends inside espeak-ng's 80..450 wpm, so the engine
// never clamps a value we hand it. The clips' rates above 10 (up to 20 -> 700
// wpm) go past 450, where espeak-ng speeds its output up further by time
// compression instead of clamping.
int wordsperminute(int rate) {
    return static_cast<int>(std::lround(175.0 * speedfactor(rate)));
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

bool started = false;
Job* running = nullptr;

std::string message(espeak_ng_STATUS status) {
    char text[512] = {};
    espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
    return text;
}

// Called by espeak-ng for each chunk; returning 1 aborts the synthesis.
int collect(short* wav, int count, espeak_EVENT*) {
    Job* job = running;
    if (!job || !wav || count <= 0) return 0;
    return job->deliver(wav, static_cast<std::size_t>(count)) ? 0 : 1;
}

}  // namespace

void espeakopen(const std::string& voice) {
    if (!started) {
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
        started = true;
    }
    espeak_ng_STATUS status = espeak_ng_SetVoiceByName(voice.c_str());
    if (status != ENS_OK)
        fail("espeak-ng cannot load the voice " + shown(voice) + ": " + message(status));
}

void espeaksay(const std::string& text, int rate, int volume, Job& job) {
    espeak_ng_STATUS status = espeak_ng_SetParameter(espeakRATE, wordsperminute(rate), 0);
    if (status == ENS_OK) status = espeak_ng_SetParameter(espeakVOLUME, amplitude(volume), 0);
    if (status != ENS_OK) fail("espeak-ng refused the rate or volume: " + message(status));

    running = &job;
    status = espeak_ng_Synthesize(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0,
                                  espeakCHARS_UTF8, nullptr, nullptr);
    running = nullptr;
    if (!job.error && status != ENS_OK)
        fail("espeak-ng could not speak \"" + text + "\": " + message(status));
}

}  // namespace corvale::speech::engines
