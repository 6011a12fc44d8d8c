// The in-game voice: the engine and voice of voice.txt, the clips' own, speak
// the text into memory, and the samples
// play on the mixer channel kept for speech, never one of the game's
// seventeen. Speak returns when the text has been heard.
#include <SDL.h>
#include <SDL_mixer.h>

#include <vector>

#include "platform/failure.h"
#include "platform/sdl_platform.h"
#include "platform/speech.h"

namespace corvale {

namespace {

constexpr int speechchannel = 17;

class MixerVoice : public Voice {
  public:
    // The engine and voice are read once, at start-up, so a bad voice.txt is
    // reported then; the engine itself loads at the first sentence.
    explicit MixerVoice(const std::string& datadir) : choice_(speech::configuredchoice(datadir)) {}

    void Speak(const std::string& text, int rate, int volume) override {
        speech::init(choice_);
        // The mixer runs in stereo at the speech engine's own rate, so each
        // mono sample is simply doubled.
        std::vector<Sint16> stereo;
        speech::synthesize(text, rate, volume, [&](const int16_t* samples, std::size_t count) {
            for (std::size_t i = 0; i < count; ++i) {
                stereo.push_back(samples[i]);
                stereo.push_back(samples[i]);
            }
        });
        if (stereo.empty()) return;
        Mix_Chunk* chunk = Mix_QuickLoad_RAW(reinterpret_cast<Uint8*>(stereo.data()),
                                             static_cast<Uint32>(stereo.size() * sizeof(Sint16)));
        if (!chunk) fail(std::string("cannot play speech: ") + Mix_GetError());
        if (Mix_PlayChannel(speechchannel, chunk, 0) < 0) {
            Mix_FreeChunk(chunk);
            fail(std::string("cannot play speech: ") + Mix_GetError());
        }
        while (Mix_Playing(speechchannel)) SDL_Delay(10);
        Mix_FreeChunk(chunk);
    }

  private:
    speech::Choice choice_;
};

}  // namespace

std::unique_ptr<Voice> makevoice(const std::string& datadir) {
    return std::make_unique<MixerVoice>(datadir);
}

}  // namespace corvale
