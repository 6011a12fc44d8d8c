// Speech-dispatcher first, else the built-in voice: see serverfirst.h.
#include "speech/serverfirst.h"

#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::speech {

ServerFirst::ServerFirst(const std::string& client, const std::string& gamedir)
    : client_(client), settings_(loadvoicesettings(gamedir)), server_(speechd::choose(client)) {}

void ServerFirst::speak(const std::string& text, int rate, int volume,
                        const speechd::StopCheck& stop, const std::function<void()>& builtin) {
    if (std::string why = refusal(rate, volume); !why.empty()) fail(why);
    if (server_) {
        if (server_->say(text, rate, volume, stop) != speechd::Said::lost) return;
        if (speechd::insisted()) fail("speech-dispatcher did not take the text");
        report("speech-dispatcher did not take the text; the built-in voice speaks from here on",
               client_.c_str());
        server_.reset();
    }
    init(Choice{settings_.engine, settings_.voice});
    builtin();
}

}  // namespace corvale::speech
