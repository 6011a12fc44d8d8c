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

// Opens espeak-ng once per process with the named voice ("en" by default).
// Failure when the engine or the voice cannot be loaded.
void init(const std::string& voicename = "en");

// Empty when rate (-10..10) and volume (0..100) are values the voice takes;
// otherwise a message that says which value is refused and why.
std::string refusal(int rate, int volume);

// Speaks `text` into `sink`, chunk by chunk as the engine produces them, and
// returns when the whole text is synthesised. Failure when the values are
// refused or the engine fails. init() must have run.
void synthesize(const std::string& text, int rate, int volume,
                const std::function<void(const int16_t* samples, std::size_t count)>& sink);

}  // namespace corvale::speech
