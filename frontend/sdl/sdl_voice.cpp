// The in-game voice. Through speech-dispatcher when CORVALE_SPEECH lets it
// and a server answers, so the player hears their own voice, rate and
// volume; otherwise the engine and voice of voice.txt, the clips' own, speak
// the text into memory, and the samples play on the mixer channel kept for
// speech, never one of the game's seventeen. Either way Speak returns when
// the text has been heard, or at once when the front end's stop check says
// the player pressed Ctrl.
#include <SDL.h>
#include <SDL_mixer.h>

#include <cstdio>
#include <vector>

#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"
#include "speech/speech.h"
#include "speech/speechd.h"
#include "speech/trim.h"

namespace corvale {

namespace {

constexpr int speechchannel = 17;

class GameVoice : public Voice {
  public:
    // The engine and voice are read once, at start-up, so a bad voice.txt is
    // reported then; the engine itself loads at the first sentence it speaks.
    GameVoice(const std::string& datadir, std::unique_ptr<speechd::Server> server,
              speechd::StopCheck stop)
        : choice_(speech::configuredchoice(datadir)),
          server_(std::move(server)),
          stop_(std::move(stop)) {}

    void Speak(const std::string& text, int rate, int volume) override {
        if (std::string why = speech::refusal(rate, volume); !why.empty()) fail(why);
        if (server_) {
            if (server_->say(text, rate, volume, stop_) != speechd::Said::lost) return;
            if (speechd::insisted()) fail("speech-dispatcher stopped taking speech");
            std::fprintf(stderr,
                         "corvale: speech-dispatcher stopped taking speech; "
                         "the built-in voice speaks from now on\n");
            server_.reset();
        }
        speakbuiltin(text, rate, volume);
    }

  private:
    speech::Choice choice_;
    std::unique_ptr<speechd::Server> server_;
    speechd::StopCheck stop_;

    void speakbuiltin(const std::string& text, int rate, int volume) {
        speech::init(choice_);
        // The mixer runs in stereo at the speech engine's own rate, so each
        // mono sample is simply doubled.
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
    return std::make_unique<GameVoice>(datadir, speechd::choose("corvale"), std::move(stop));
}

}  // namespace corvale
