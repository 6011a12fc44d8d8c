// The resampler that brings flite's 16 kHz and 8 kHz voices to the game's
// 22050 Hz: a tone keeps its pitch and level, nothing is made above the
// source's band, the output has the promised length, and a stream pushed in
// odd chunks gives exactly what one push gives.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "speech/resample.h"

namespace corvale {
namespace {

std::vector<int16_t> tone(double hz, int rate, double seconds, double amplitude) {
    std::vector<int16_t> s(static_cast<std::size_t>(seconds * rate));
    for (std::size_t i = 0; i < s.size(); ++i)
        s[i] = static_cast<int16_t>(
            std::lround(amplitude * std::sin(2 * std::numbers::pi * hz * double(i) / rate)));
    return s;
}

// Amplitude of the `hz` component of `s`, from its middle (away from the
// filter's start and end).
double component(const std::vector<int16_t>& s, double hz, int rate) {
    const std::size_t from = s.size() / 4, to = 3 * s.size() / 4;
    double re = 0, im = 0;
    for (std::size_t i = from; i < to; ++i) {
        const double a = 2 * std::numbers::pi * hz * double(i) / rate;
        re += s[i] * std::cos(a);
        im += s[i] * std::sin(a);
    }
    return 2 * std::hypot(re, im) / double(to - from);
}

std::vector<int16_t> convert(const std::vector<int16_t>& in, int from, int to, std::size_t chunk) {
    Resampler r(from, to);
    std::vector<int16_t> out;
    for (std::size_t at = 0; at < in.size(); at += chunk)
        r.push(in.data() + at, std::min(chunk, in.size() - at), out);
    r.finish(out);
    return out;
}

TEST(Resample, ToneKeepsPitchAndLevelAtTheGamesRate) {
    for (int from : {16000, 8000}) {
        SCOPED_TRACE(from);
        const auto in = tone(440, from, 1.0, 10000);
        const auto out = convert(in, from, 22050, in.size());
        EXPECT_EQ(out.size(), (in.size() * 22050 + from - 1) / from);
        EXPECT_NEAR(component(out, 440, 22050), 10000, 100);
        // The same tone is not heard at a neighbouring pitch.
        EXPECT_LT(component(out, 470, 22050), 100);
    }
}

TEST(Resample, AddsNothingAboveTheSourcesBand) {
    // A tone near the top of a 16 kHz source has its mirror image at
    // 16000 - 7000 = 9000 Hz after a naive conversion; it must stay far down.
    const auto in = tone(7000, 16000, 1.0, 10000);
    const auto out = convert(in, 16000, 22050, in.size());
    EXPECT_GT(component(out, 7000, 22050), 8000);
    EXPECT_LT(component(out, 9000, 22050), 30) << "an image of the tone above the band";
}

TEST(Resample, ChunksMakeTheSameStreamAsOnePush) {
    const auto in = tone(300, 16000, 0.5, 20000);
    const auto whole = convert(in, 16000, 22050, in.size());
    for (std::size_t chunk : {1u, 7u, 320u, 5000u})
        EXPECT_EQ(convert(in, 16000, 22050, chunk), whole) << chunk;
    // A finished resampler starts a new stream from silence.
    Resampler r(16000, 22050);
    std::vector<int16_t> first, second;
    r.push(in.data(), in.size(), first);
    r.finish(first);
    r.push(in.data(), in.size(), second);
    r.finish(second);
    EXPECT_EQ(first, second);
}

TEST(Resample, FullScaleInputIsClampedNotWrapped) {
    // A full-scale square wave: the filter overshoots past each edge, beyond
    // what 16 bits hold. Clamped, every sample keeps the sign of its input.
    std::vector<int16_t> square(4000);
    for (std::size_t i = 0; i < square.size(); ++i) square[i] = (i / 40) % 2 ? 32767 : -32768;
    const auto out = convert(square, 16000, 22050, square.size());
    for (std::size_t i = 0; i < square.size(); ++i) {
        if (i % 40 < 2 || i % 40 >= 38) continue;  // on an edge the sign is not settled
        const std::size_t k = (i * 22050 + 8000) / 16000;
        ASSERT_EQ(out[k] > 0, square[i] > 0) << "input " << i << " output " << k << ": " << out[k];
    }
}

}  // namespace
}  // namespace corvale
