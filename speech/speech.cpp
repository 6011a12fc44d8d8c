// The speech layer's front: reads which engine and voice speak, checks the
// values callers pass, and hands each text to the chosen engine under one
// lock, since both engines keep global state. The engines themselves live
// in espeak.cpp and flite.cpp.
#include "speech/speech.h"

#include <cmath>
#include <mutex>

#include "files/files.h"
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

std::string defaultvoice(const std::string& engine) {
    return engine == "flite" ? "slt" : "en";
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

Choice parsechoice(const std::string& text, const std::string& filename) {
    Choice choice;
    bool voicegiven = false;
    std::size_t start = 0;
    for (int line = 1; start < text.size(); ++line) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string row = text.substr(start, end - start);
        start = end + 1;
        if (!row.empty() && row.back() == '\r') row.pop_back();
        if (row.empty() || row[0] == '#') continue;
        const std::size_t eq = row.find('=');
        const std::string where = filename + ":" + std::to_string(line) + ": ";
        if (eq == std::string::npos || eq == 0)
            fail(where + "\"" + row + "\" is not a line of the form key=value");
        const std::string key = row.substr(0, eq), value = row.substr(eq + 1);
        if (key == "engine") {
            if (value != "espeak-ng" && value != "flite")
                fail(where + "unknown speech engine \"" + value +
                     "\": the engines are espeak-ng and flite");
            choice.engine = value;
        } else if (key == "voice") {
            if (value.empty()) fail(where + "the voice has no name");
            choice.voice = value;
            voicegiven = true;
        }
    }
    if (!voicegiven) choice.voice = defaultvoice(choice.engine);
    return choice;
}

Choice configuredchoice(const std::string& datadir) {
    const std::string path = datadir + "/voice.txt";
    if (!fileexists(path)) return Choice{};
    return parsechoice(readtextfile(path), path);
}

void init(const Choice& choice) {
    std::lock_guard held(enginelock);
    if (opened && choice.engine == current.engine && choice.voice == current.voice) return;
    if (choice.engine == "espeak-ng")
        engines::espeakopen(choice.voice);
    else if (choice.engine == "flite")
        engines::fliteopen(choice.voice);
    else
        fail("unknown speech engine \"" + choice.engine +
             "\": the engines are espeak-ng and flite");
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
    if (current.engine == "flite")
        engines::flitesay(text, rate, job);
    else
        engines::espeaksay(text, rate, volume, job);
    if (job.error) std::rethrow_exception(job.error);
}

}  // namespace corvale::speech
