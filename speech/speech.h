// Speech synthesis into memory, with espeak-ng or flite. Used by voxlet and
// by the in-game voice (both play the samples through SDL), and by the clip
// generator, so every word of the game comes from one engine and voice.
// Samples are 16-bit mono at 22050 Hz whatever the engine's own rate.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "speech/voicefile.h"

namespace corvale::speech {

constexpr int samplerate = 22050;

// The voice's rate scale runs from -10 to 10. A recorded clip that must fit
// a short gap between the game's sounds may be made faster still, up to 20
// (four times the normal speed); nothing the game speaks live goes past 10.
constexpr int fastestvoice = 10, fastestclip = 20;

// An engine of speechengines (speech/voicefile.h) and one of its voices:
// "espeak-ng" with an espeak-ng voice name such as "en" or "de", or "flite"
// with one of its built-in English voices ("slt", "kal", "awb", "rms"). By
// default the voice of a game folder without voice.txt.
struct Choice {
    std::string engine = VoiceSettings{}.engine;
    std::string voice = VoiceSettings{}.voice;
};

// Opens the chosen engine and voice; a process may switch between them.
// Failure when the engine or the voice cannot be loaded.
void init(const Choice& choice = Choice{});

// Empty when rate (-10..fastestrate) and volume (0..100) are values the voice
// takes; otherwise a message that says which value is refused and why.
std::string refusal(int rate, int volume, int fastestrate = fastestvoice);

// Speaks `text` into `sink`, chunk by chunk as the engine produces them, and
// returns when the whole text is synthesised. Failure when the values are
// refused (the rate above `fastestrate` too) or the engine fails. init()
// must have run.
void synthesize(const std::string& text, int rate, int volume,
                const std::function<void(const int16_t* samples, std::size_t count)>& sink,
                int fastestrate = fastestvoice);

}  // namespace corvale::speech
