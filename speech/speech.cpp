// The speech layer's front: opens the engine and voice chosen (by voice.txt
// or clipgen's command line), checks the values callers pass, and hands each
// text to the chosen engine under one lock, since the engines keep global
// state. The engines themselves live in espeak.cpp and flite.cpp; their
// names are listed in voicefile.h.
#include "speech/speech.h"

#include <cmath>
#include <iterator>
#include <mutex>

#include "platform/failure.h"
#include "speech/engines.h"

namespace corvale::speech {

namespace {

// The voice's scales, as the game and voxlet pass them.
constexpr int slowest = -10;
constexpr int silent = 0, loudest = 100;

std::mutex enginelock;
bool opened = false;
Choice current;

// How each engine of speechengines opens a voice and speaks, in that list's
// order.
struct Calls {
    void (*open)(const std::string& voice);
    void (*say)(const std::string& text, int rate, int volume, engines::Job& job);
};
const Calls calls[] = {
    {engines::espeakopen, engines::espeaksay},
    {engines::fliteopen, engines::flitesay},
};
static_assert(std::size(calls) == std::size(speechengines));

// The calls of the engine `name`; Failure naming it when it is not one.
const Calls& callsof(const std::string& name) {
    for (std::size_t i = 0; i < std::size(calls); ++i)
        if (name == speechengines[i].name) return calls[i];
    fail(enginerefusal(name));
}

}  // namespace

namespace engines {

bool Job::deliver(const int16_t* samples, std::size_t count) noexcept {
    if (error) return false;
    try {
        (*sink)(samples, count);
    } catch (...) {
        error = std::current_exception();
        return false;
    }
    return true;
}

double speedfactor(int rate) {
    return std::exp2(rate / 10.0);
}

}  // namespace engines

void init(const Choice& choice) {
    std::lock_guard held(enginelock);
    if (opened && choice.engine == current.engine && choice.voice == current.voice) return;
    callsof(choice.engine).open(choice.voice);
    current = choice;
    opened = true;
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

void synthesize(const std::string& text, int rate, int volume,
                const std::function<void(const int16_t*, std::size_t)>& sink, int fastestrate) {
    if (std::string why = refusal(rate, volume, fastestrate); !why.empty()) fail(why);
    std::lock_guard held(enginelock);
    if (!opened) fail("speech synthesis was asked for before the speech engine was started");
    engines::Job job{&sink, volume / 100.0, nullptr};
    callsof(current.engine).say(text, rate, volume, job);
    if (job.error) std::rethrow_exception(job.error);
}

}  // namespace corvale::speech
