// The speech engines behind speech/speech.h, one file each. speech.cpp
// chooses between them and holds the one lock, so an engine's functions are
// only ever called one at a time. A new engine is a file of its own, its two
// functions here, its name in speechengines (voicefile.h) and a line in
// speech.cpp's calls. Nothing outside speech/ includes this.
#pragma once

#include <cstddef>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>

namespace corvale::speech::engines {

using Sink = std::function<void(const int16_t*, std::size_t)>;

// One synthesis in progress. The engines call back from C code, where a
// sink's exception must not unwind: it is kept here, the engine is told to
// stop, and the engine's say() throws it again once the library returned.
struct Job {
    const Sink* sink = nullptr;
    double gain = 1.0;  // applied by engines that have no volume of their own
    std::exception_ptr error;

    // False once the sink has failed: the engine should stop.
    bool deliver(const int16_t* samples, std::size_t count) noexcept;
};

// Speed factors from the voice's rate scale, -10..10: each step multiplies
// the speed by the same factor, 0 is the engine's normal speed and the ends
// are half and double it.
double speedfactor(int rate);

// Each engine opens a voice by name, Failure naming it when the engine has
// no such voice, and speaks into the job at a rate and a volume (0..100).
void espeakopen(const std::string& voice);
void espeaksay(const std::string& text, int rate, int volume, Job& job);

void fliteopen(const std::string& voice);
void flitesay(const std::string& text, int rate, int volume, Job& job);
// The names fliteopen() takes, for messages: "slt, kal, awb, rms".
std::string flitevoices();

}  // namespace corvale::speech::engines
