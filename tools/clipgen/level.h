// How loud a spoken clip is, and bringing every clip to one loudness, so no
// clip of the set startles or is lost beside another. Loudness is the RMS of
// the clip's sounding 10 ms frames: pauses inside a sentence and the silence
// around a word do not count, so a letter and a long sentence spoken alike
// measure alike.
#pragma once

#include <cstdint>
#include <vector>

namespace corvale::clipgen {

// Every clip's loudness, as a fraction of full scale: -20 dBFS, which leaves
// speech's peaks, some 15 dB above its RMS, room below full scale.
constexpr double targetlevel = 0.1;
// No sample is scaled beyond this (-1 dBFS): nothing clips, even after the
// mixer's own rounding.
constexpr double ceiling = 0.89;

// The loudness of `samples` as a fraction of full scale; 0 when no frame sounds.
double speechlevel(const std::vector<int16_t>& samples);

// `samples` scaled to targetlevel, or less where a peak would pass the ceiling.
std::vector<int16_t> levelled(const std::vector<int16_t>& samples);

}  // namespace corvale::clipgen
