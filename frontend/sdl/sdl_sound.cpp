// The sound device over SDL2_mixer: channel z of the game is mixer channel
// z, and a buffer is a Mix_Chunk bound to it. One more mixer channel is kept
// for the in-game voice (mixer.h). Volume and pan arrive in the game's units
// (hundredths of a decibel) and are converted here.
#include <SDL.h>
#include <SDL_mixer.h>

#include "files/files.h"
#include "frontend/sdl/mixer.h"
#include "frontend/sdl/sdl_platform.h"
#include "frontend/sdl/units.h"
#include "platform/failure.h"

namespace corvale {

namespace {

class MixerBuffer : public SoundBuffer {
  public:
    MixerBuffer(int channel, Mix_Chunk* chunk) : channel_(channel), chunk_(chunk) {
        // A fresh buffer plays at full volume, centred.
        Mix_Volume(channel_, MIX_MAX_VOLUME);
        Mix_SetPanning(channel_, 255, 255);
    }
    ~MixerBuffer() override {
        if (Mix_GetChunk(channel_) == chunk_) Mix_HaltChannel(channel_);
        Mix_FreeChunk(chunk_);
    }
    void Play() override {
        if (Mix_PlayChannel(channel_, chunk_, 0) < 0)
            fail("cannot play on sound channel " + std::to_string(channel_) + ": " +
                 Mix_GetError());
    }
    void Stop() override {
        if (Mix_GetChunk(channel_) == chunk_) Mix_HaltChannel(channel_);
    }
    void SetVolume(int v) override {
        if (v < -10000 || v > 0)
            fail("sound volume " + std::to_string(v) + " is outside -10000..0");
        Mix_Volume(channel_, mixervolume(v));
    }
    void SetPan(int p) override {
        if (p < -10000 || p > 10000)
            fail("sound pan " + std::to_string(p) + " is outside -10000..10000");
        Panning level = mixerpanning(p);
        Mix_SetPanning(channel_, static_cast<Uint8>(level.left), static_cast<Uint8>(level.right));
    }

  private:
    int channel_;
    Mix_Chunk* chunk_;
};

class MixerDevice : public SoundDevice {
  public:
    ~MixerDevice() override { Mix_CloseAudio(); }
    std::unique_ptr<SoundBuffer> CreateSoundBufferFromFile(int channel,
                                                           const std::string& path) override {
        if (channel < 0 || channel >= mixer::gamechannels)
            fail("sound channel " + std::to_string(channel) + " does not exist");
        std::string file = hostpath(path);
        // The whole clip is decoded (Ogg Vorbis) and brought to the device's
        // format here, so playing it later costs nothing.
        Mix_Chunk* chunk = Mix_LoadWAV(file.c_str());
        if (!chunk) fail("cannot load the clip " + file + ": " + Mix_GetError());
        return std::make_unique<MixerBuffer>(channel, chunk);
    }
};

}  // namespace

std::unique_ptr<SoundDevice> openmixer() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return nullptr;
    if (Mix_OpenAudioDevice(mixer::rate, AUDIO_S16SYS, mixer::outputs, mixer::framesperbuffer,
                            nullptr, 0) != 0)
        return nullptr;
    // The game's channels and the voice's; none is handed out on its own.
    Mix_AllocateChannels(mixer::channels);
    Mix_ReserveChannels(mixer::channels);
    return std::make_unique<MixerDevice>();
}

}  // namespace corvale
