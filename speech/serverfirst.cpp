// Speech-dispatcher first, else the built-in voice: see serverfirst.h.
#include "speech/serverfirst.h"

#include "files/files.h"
#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::speech {

namespace {

// voice.txt's settings; what is wrong with the file is the game's to tell.
VoiceSettings quietly(const std::string& gamedir) {
    std::string problem;
    return loadvoicesettings(gamedir, problem);
}

// The first engine, in the order of speechengines, that opens its English
// voice; Failure with `why` when none does.
Choice anyengine(const std::string& why) {
    for (const SpeechEngine& engine : speechengines) {
        Choice choice{engine.name, defaultvoice(engine.name, "en")};
        try {
            init(choice);
            return choice;
        } catch (const Failure&) {
        }
    }
    fail(why);
}

}  // namespace

ServerFirst::ServerFirst(const std::string& client, const std::string& gamedir, bool tell)
    : client_(client), tell_(tell), settings_(quietly(gamedir)), server_(speechd::choose(client)) {}

void ServerFirst::speak(const std::string& text, int rate, int volume,
                        const speechd::StopCheck& stop,
                        const std::function<void(const std::string&)>& builtin) {
    if (std::string why = refusal(rate, volume); !why.empty()) fail(why);
    if (server_) {
        if (server_->say(text, rate, volume, stop) != speechd::Said::lost) return;
        if (speechd::insisted()) fail("speech-dispatcher did not take the text");
        report("speech-dispatcher did not take the text; the built-in voice speaks from here on",
               client_.c_str());
        server_.reset();
    }
    if (!opened_) {
        opened_ = true;
        if (std::string problem = openbuiltin(); !problem.empty() && tell_) {
            report(problem, client_.c_str());
            builtin(withoutfolders(problem));
        }
    }
    builtin(text);
}

void ServerFirst::settle(std::chrono::milliseconds most) {
    if (server_) server_->settle(most);
}

std::string ServerFirst::openbuiltin() {
    try {
        init(Choice{settings_.engine, settings_.voice});
        return "";
    } catch (const Failure& f) {
        // The defaults themselves failing is the engine's fault, not the file's.
        if (settings_.voicenamed.empty()) throw;
        // The engine's own voice for the language, else the first engine
        // that opens its English voice (a build may lack one: Windows has no
        // espeak-ng); a failure to open any ends the caller.
        Choice fallback{settings_.engine, defaultvoice(settings_.engine, settings_.language)};
        try {
            init(fallback);
        } catch (const Failure& refused) {
            fallback = anyengine(refused.what());
        }
        return settings_.voicenamed + ": " + f.what() + "; the voice " + fallback.voice + " of " +
               fallback.engine + " speaks instead";
    }
}

}  // namespace corvale::speech
