// Plain audio output for voxlet: the default SDL audio device opened for
// speech samples (22050 Hz, 16-bit, mono), fed as the samples are made so
// the first of them sounds early. The game itself plays through its mixer,
// not through this; voxlet is a separate process with nothing else to play.
#pragma once

#include <cstddef>
#include <cstdint>

namespace corvale {

class Speaker {
  public:
    // Opens the default audio device and leaves it paused until samples
    // arrive. Failure naming SDL's reason when it cannot be opened.
    Speaker();
    // Closes the device at once; whatever has not been heard is cut off.
    ~Speaker();
    Speaker(const Speaker&) = delete;
    Speaker& operator=(const Speaker&) = delete;

    // Appends 16-bit mono samples at 22050 Hz behind those queued before;
    // playback starts as soon as enough are queued to play without a gap.
    // Failure when SDL refuses them.
    void queue(const int16_t* samples, std::size_t count);
    // Returns once every queued sample has been played by the device.
    void drain();

  private:
    void start();
    unsigned bufferbytes() const { return static_cast<unsigned>(bufferframes) * 2u; }

    std::uint32_t device = 0;
    bool started = false;
    int bufferframes = 0;
};

}  // namespace corvale
