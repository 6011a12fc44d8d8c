// voxlet's audio output on SDL's queued-audio interface. Samples are pushed
// with SDL_QueueAudio as the engine (espeak-ng or flite) makes them, and
// playback starts as soon as the first of them can fill the device's buffers
// rather than when the device opens, so no silence is played ahead of the
// speech.
#include "speech/speaker.h"

#include <SDL.h>

#include <string>

#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale {

namespace {

// 512 frames is about 23 ms: short enough that the first sound is not held
// back, and the size SDL's disk driver paces accurately in tests.
constexpr Uint16 framesperbuffer = 512;

[[noreturn]] void sdlfailure(const std::string& what) {
    fail(what + ": " + SDL_GetError());
}

}  // namespace

Speaker::Speaker() {
    SDL_SetHint(SDL_HINT_AUDIO_DEVICE_APP_NAME, "voxlet");
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) sdlfailure("cannot start SDL audio");
    SDL_AudioSpec want{};
    want.freq = speech::samplerate;
    want.format = AUDIO_S16SYS;
    want.channels = 1;
    want.samples = framesperbuffer;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants, and
    // the samples we queue keep the one layout the speech layer produces.
    device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        std::string why = SDL_GetError();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        fail("cannot open the audio device: " + why);
    }
    bufferframes = have.samples;
}

Speaker::~Speaker() {
    SDL_CloseAudioDevice(device);
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void Speaker::queue(const int16_t* samples, std::size_t count) {
    if (count == 0) return;
    if (SDL_QueueAudio(device, samples, static_cast<Uint32>(count * sizeof *samples)) != 0)
        sdlfailure("cannot queue speech for the audio device");
    // Playback waits for two device buffers' worth: SDL fills a buffer the
    // queue cannot cover with silence, which would be heard as a stutter.
    // Both engines make speech many times faster than it plays, so the wait
    // costs about a millisecond.
    if (!started && SDL_GetQueuedAudioSize(device) >= 2u * bufferbytes()) start();
}

void Speaker::start() {
    SDL_PauseAudioDevice(device, 0);
    started = true;
}

void Speaker::drain() {
    if (!started && SDL_GetQueuedAudioSize(device) == 0) return;
    if (!started) start();
    // A device that is lost stops playing and would never empty its queue.
    while (SDL_GetQueuedAudioSize(device) > 0 &&
           SDL_GetAudioDeviceStatus(device) == SDL_AUDIO_PLAYING)
        SDL_Delay(5);
    // An empty queue means the last samples were handed to the device, not
    // that they were heard: allow the buffer being played and the one the
    // driver holds behind it before the caller closes the device.
    SDL_Delay(static_cast<Uint32>(2 * bufferframes * 1000 / speech::samplerate + 1));
}

}  // namespace corvale
