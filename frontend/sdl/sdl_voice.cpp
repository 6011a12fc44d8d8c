// The in-game voice, by the rule of speech/serverfirst.h: speech-dispatcher
// when CORVALE_SPEECH lets it and a server answers, otherwise the engine and
// voice of voice.txt, the clips' own, whose samples play on the mixer
// channel kept for speech, never one of the game's. Either way Speak returns
// when the text has been heard, or at once when the front end's stop check
// says the player pressed Ctrl.
#include <SDL.h>
#include <SDL_mixer.h>

#include <vector>

#include "frontend/sdl/mixer.h"
#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"
#include "speech/serverfirst.h"
#include "speech/speech.h"
#include "speech/speechd.h"
#include "speech/trim.h"

namespace corvale {

namespace {

using mixer::speechchannel;

class GameVoice : public Voice {
  public:
    // The engine and voice are read once, at start-up (the game tells the
    // player of a bad voice.txt); the engine itself loads at the first
    // sentence it speaks, and a voice it cannot open is said then.
    GameVoice(const std::string& datadir, speechd::StopCheck stop)
        : route_("corvale", datadir, true), stop_(std::move(stop)) {}

    void Speak(const std::string& text, int rate, int volume) override {
        {
            SpeakingNow speaking;
            route_.speak(text, rate, volume, stop_,
                         [&](const std::string& said) { speakbuiltin(said, rate, volume); });
        }
        if (stopsignalled()) {
            // Long enough for a server that answers; the game still ends
            // within a second of the signal if it does not.
            route_.settle(std::chrono::milliseconds(300));
            endonstopsignal();
        }
    }

  private:
    speech::ServerFirst route_;
    speechd::StopCheck stop_;

    void speakbuiltin(const std::string& text, int rate, int volume) {
        // The mixer runs in stereo at the speech engine's own rate, so each
        // mono sample is simply doubled.
        static_assert(mixer::rate == speech::samplerate && mixer::outputs == 2);
        // Only what is audible, as the clips: the sentence starts without the
        // engine's lead-in of near-silence and ends with its last word.
        std::vector<Sint16> stereo;
        speech::Trimmer trim([&](const int16_t* samples, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i) {
                stereo.push_back(samples[i]);
                stereo.push_back(samples[i]);
            }
        });
        speech::synthesize(text, rate, volume, [&](const int16_t* samples, std::size_t count) {
            trim.feed(samples, count);
        });
        if (stereo.empty()) return;
        Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(stereo.data()),
                                             static_cast<Uint32>(stereo.size() * sizeof(Sint16)));
        if (!chunk) fail(std::string("cannot play speech: ") + Mix_GetError());
        if (Mix_PlayChannel(speechchannel, chunk, 0) < 0) {
            Mix_FreeChunk(chunk);
            fail(std::string("cannot play speech: ") + Mix_GetError());
        }
        while (Mix_Playing(speechchannel)) {
            if (stop_()) {
                Mix_HaltChannel(speechchannel);
                break;
            }
            SDL_Delay(10);
        }
        Mix_FreeChunk(chunk);
    }
};

}  // namespace

std::unique_ptr<Voice> makevoice(const std::string& datadir, std::function<bool()> stop) {
    return std::make_unique<GameVoice>(datadir, std::move(stop));
}

}  // namespace corvale
