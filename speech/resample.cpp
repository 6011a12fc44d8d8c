// A polyphase windowed-sinc resampler. The ratio is reduced to whole numbers
// up/down, so output sample k lies exactly at input position k*down/up and
// only `up` different filter phases exist; they are worked out once.
#include "speech/resample.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <numeric>

#include "platform/failure.h"

namespace corvale {

namespace {

// Input samples each side of an output sample. 32 with a Blackman window
// gives a transition band under a tenth of the source rate, so the voice
// keeps its top octave and images are some 70 dB down.
constexpr int half = 32;

double blackman(double x) {  // x in -1..1
    const double a = std::numbers::pi * (x + 1);
    return 0.42 - 0.5 * std::cos(a) + 0.08 * std::cos(2 * a);
}

}  // namespace

Resampler::Resampler(int fromhz, int tohz) {
    if (fromhz <= 0 || tohz <= 0)
        fail("cannot convert sound from " + std::to_string(fromhz) + " Hz to " +
             std::to_string(tohz) + " Hz");
    const int g = std::gcd(fromhz, tohz);
    up_ = tohz / g;
    down_ = fromhz / g;
    // The cut-off, in cycles per input sample, sits a little below the
    // narrower of the two bands, so the window's roll-off ends by Nyquist.
    const double cutoff = 0.5 * std::min(1.0, static_cast<double>(up_) / down_) * 0.9;
    taps_.resize(static_cast<std::size_t>(up_) * 2 * half);
    for (int phase = 0; phase < up_; ++phase) {
        float* row = &taps_[static_cast<std::size_t>(phase) * 2 * half];
        double sum = 0;
        for (int i = 0; i < 2 * half; ++i) {
            // Distance from the output position to input sample base-half+1+i.
            const double d = static_cast<double>(phase) / up_ + half - 1 - i;
            const double x = 2 * cutoff * d;
            const double sinc =
                x == 0 ? 1.0 : std::sin(std::numbers::pi * x) / (std::numbers::pi * x);
            const double w = std::abs(d) < half ? blackman(d / half) : 0.0;
            row[i] = static_cast<float>(sinc * w);
            sum += row[i];
        }
        // Each phase passes a steady level unchanged.
        for (int i = 0; i < 2 * half; ++i) row[i] = static_cast<float>(row[i] / sum);
    }
}

void Resampler::push(const int16_t* samples, std::size_t count, std::vector<int16_t>& out) {
    input_.insert(input_.end(), samples, samples + count);
    received_ += count;
    emit(false, out);
}

void Resampler::finish(std::vector<int16_t>& out) {
    emit(true, out);
    input_.clear();
    dropped_ = received_ = next_ = 0;
}

void Resampler::emit(bool all, std::vector<int16_t>& out) {
    const auto up = static_cast<std::size_t>(up_), down = static_cast<std::size_t>(down_);
    const std::size_t total = (received_ * up + down - 1) / down;
    for (;; ++next_) {
        const std::size_t base = next_ * down / up;
        if (all ? next_ >= total : base + half >= received_) break;
        const float* row = &taps_[(next_ * down % up) * 2 * half];
        double acc = 0;
        for (int i = 0; i < 2 * half; ++i) {
            // Input index base-half+1+i; before the start or past the end is silence.
            const std::size_t j = base + 1 + static_cast<std::size_t>(i);
            if (j < static_cast<std::size_t>(half) + dropped_) continue;
            const std::size_t at = j - half - dropped_;
            if (at >= input_.size()) break;
            acc += row[i] * input_[at];
        }
        out.push_back(static_cast<int16_t>(std::lround(std::clamp(acc, -32768.0, 32767.0))));
    }
    // Keep only the input that later output samples still reach.
    const std::size_t needed = next_ * down / up + 1;
    if (needed > dropped_ + half + 4096) {
        const std::size_t drop = needed - half - dropped_;
        input_.erase(input_.begin(), input_.begin() + static_cast<std::ptrdiff_t>(drop));
        dropped_ += drop;
    }
}

}  // namespace corvale
