// Where speech begins and ends. The engines open and close every text with
// near-silence; the clip generator trims each clip to its audible samples,
// and the live voices (voxlet's clue number, the in-game sentence) skip the
// same near-silence as they play, so live speech is heard as promptly as a
// clip and ends with its last word. One threshold serves all of them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <vector>

namespace corvale::speech {

// A sample further than this from 0 is sound: about -44 dB of full scale,
// below anything a voice says and above the engines' near-silence.
constexpr int quiet = 200;

inline bool audible(int16_t sample) {
    return std::abs(static_cast<int>(sample)) > quiet;
}

// Passes a stream of samples on from its first audible sample to its last.
// What comes before the first is dropped; a quiet stretch after an audible
// sample is held back until another audible one follows it, so a pause
// between words is kept and the quiet after the last word never passes.
class Trimmer {
  public:
    using Sink = std::function<void(const int16_t* samples, std::size_t count)>;
    explicit Trimmer(Sink sink) : sink_(std::move(sink)) {}
    void feed(const int16_t* samples, std::size_t count);

  private:
    Sink sink_;
    bool sounding_ = false;
    std::vector<int16_t> held_;
};

}  // namespace corvale::speech
