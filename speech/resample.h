// Sample-rate conversion for the speech engines that do not speak at the
// game's 22050 Hz (flite's voices speak at 8 or 16 kHz). It works on a stream,
// so a chunk of speech can be played before the rest is made: each pushed
// chunk returns every output sample it completes, and finish() the rest.
// A windowed-sinc filter keeps the voice clear and adds no images above the
// source's band, which a plain interpolation would.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace corvale {

class Resampler {
  public:
    Resampler(int fromhz, int tohz);

    // Appends to `out` every output sample the input so far fully determines.
    void push(const int16_t* samples, std::size_t count, std::vector<int16_t>& out);
    // Appends the remaining output, the input taken as silence after its end:
    // in all, count * tohz / fromhz samples (rounded up). Starts a new stream.
    void finish(std::vector<int16_t>& out);

  private:
    void emit(bool all, std::vector<int16_t>& out);

    int up_, down_;             // output position k is input position k*down/up
    std::vector<float> taps_;   // per phase, 2*half taps
    std::vector<float> input_;  // input from index `dropped_` on
    std::size_t dropped_ = 0;   // input samples no longer needed
    std::size_t received_ = 0;
    std::size_t next_ = 0;  // the next output sample's index
};

}  // namespace corvale
