// The in-game voice: espeak-ng speaks the text into memory, and the samples
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
    void Speak(const std::string& text, int rate, int volume) override {
        speech::init();
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
};

}  // namespace

std::unique_ptr<Voice> makevoice() {
    return std::make_unique<MixerVoice>();
}

}  // namespace corvale
