// Writing the clip files: 16-bit stereo PCM WAV at 22050 Hz, the one layout
// the game's mixer is opened with, so no clip is converted when it is loaded.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::clipgen {

constexpr int wavchannels = 2;

// Writes mono samples at 22050 Hz as a stereo file, the same sound on both
// sides. The file is replaced whole: a failed or interrupted write never
// leaves a short clip behind. Failure naming the file.
void writewav(const std::string& path, const std::vector<int16_t>& mono);

}  // namespace corvale::clipgen
