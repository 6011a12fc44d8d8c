// Speech synthesis with espeak-ng into memory. Used by voxlet and by the
// in-game voice (both play the samples through SDL), and by the clip
// generator. Samples are 16-bit mono at espeak-ng's native 22050 Hz.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace corvale::speech {

constexpr int samplerate = 22050;

// The voice's rate scale runs from -10 to 10. A recorded clip that must fit
// a short gap between the game's sounds may be made faster still, up to 20
// (four times the normal speed); nothing the game speaks live goes past 10.
constexpr int fastestvoice = 10, fastestclip = 20;

// Opens espeak-ng once per process with the named voice ("en" by default).
// Failure when the engine or the voice cannot be loaded.
void init(const std::string& voicename = "en");

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
