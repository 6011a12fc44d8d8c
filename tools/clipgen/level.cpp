// Loudness of speech and the gain that evens it out across the clip set.
#include "tools/clipgen/level.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "speech/speech.h"

namespace corvale::clipgen {

namespace {

constexpr double fullscale = 32768.0;
// A 10 ms frame counts as sounding when its RMS reaches -40 dBFS: well below
// any voiced sound or fricative, well above the engines' silence.
constexpr std::size_t framelength = corvale::speech::samplerate / 100;
constexpr double gate = 0.01;

}  // namespace

double speechlevel(const std::vector<int16_t>& samples) {
    double sum = 0;
    std::size_t counted = 0;
    for (std::size_t start = 0; start < samples.size(); start += framelength) {
        const std::size_t end = std::min(samples.size(), start + framelength);
        double frame = 0;
        for (std::size_t i = start; i < end; ++i) frame += double(samples[i]) * samples[i];
        const double rms = std::sqrt(frame / double(end - start)) / fullscale;
        if (rms < gate) continue;
        sum += frame;
        counted += end - start;
    }
    return counted ? std::sqrt(sum / double(counted)) / fullscale : 0.0;
}

std::vector<int16_t> levelled(const std::vector<int16_t>& samples) {
    const double level = speechlevel(samples);
    if (level == 0) return samples;
    int peak = 0;
    for (int16_t s : samples) peak = std::max(peak, std::abs(int(s)));
    const double gain = std::min(targetlevel / level, ceiling * fullscale / peak);
    std::vector<int16_t> out;
    out.reserve(samples.size());
    for (int16_t s : samples) out.push_back(static_cast<int16_t>(std::lround(s * gain)));
    return out;
}

}  // namespace corvale::clipgen
