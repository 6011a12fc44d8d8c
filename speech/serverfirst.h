// The rule the game's voice and voxlet both speak by: through
// speech-dispatcher when CORVALE_SPEECH lets it and a server answers, so the
// player hears their own voice, rate and volume; otherwise, or once the
// server has dropped a text, with the built-in engine and voice that
// voice.txt names, the clips' own. Where the built-in voice's samples go
// differs (the game's mixer, voxlet's own device), so the caller plays them.
// A voice.txt the game cannot use, or a voice its engine cannot open, never
// silences either: the defaults speak instead.
#pragma once

#include <chrono>
#include <functional>
#include <memory>
#include <string>

#include "speech/speechd.h"
#include "speech/voicefile.h"

namespace corvale::speech {

class ServerFirst {
  public:
    // Reads voice.txt in the game folder `gamedir` (a file the game cannot
    // use gives the defaults; the game tells the player of it at start-up),
    // then asks for a server as CORVALE_SPEECH says. `client` names the
    // program to the server and in its notes ("corvale", "voxlet"). When
    // `tell` is set, a voice the engine cannot open is reported once on
    // standard error and said aloud; voxlet, one of many started by the
    // game, leaves that to the game. Failure for a bad CORVALE_SPEECH.
    ServerFirst(const std::string& client, const std::string& gamedir, bool tell);

    const VoiceSettings& settings() const { return settings_; }

    // Speaks `text` through the server while there is one, returning when
    // it has been spoken or `stop` (which may be empty) said to stop.
    // Otherwise it opens the built-in engine and voice and calls `builtin`
    // with the text, which makes the samples with speech::synthesize and
    // plays them; if that voice cannot be opened, the engine's default voice
    // for the language speaks, or else the default engine's. A
    // server that drops a text is noted once on standard error and the
    // built-in voice speaks that text and all after it; where CORVALE_SPEECH
    // insists on the server, that is a Failure instead. Failure too for a
    // rate or volume the voice refuses.
    void speak(const std::string& text, int rate, int volume, const speechd::StopCheck& stop,
               const std::function<void(const std::string& text)>& builtin);

    // Gives a sentence stopped a moment ago at most `most` for the server
    // to drop what it still has queued: called before the program ends.
    void settle(std::chrono::milliseconds most);

  private:
    std::string client_;
    bool tell_;
    VoiceSettings settings_;
    std::unique_ptr<speechd::Server> server_;
    bool opened_ = false;  // the built-in engine has been opened

    // Opens the built-in voice for the first time: empty, or the report of
    // a voice that could not be opened and what speaks instead.
    std::string openbuiltin();
};

}  // namespace corvale::speech
