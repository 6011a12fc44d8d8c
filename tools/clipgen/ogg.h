// Writing the clip files: mono Ogg Vorbis at 22050 Hz, which the game's mixer
// decodes when it loads a clip. A set takes a ninth of the room it took as
// 16-bit stereo WAV, so every language's set fits where one set did.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace corvale::clipgen {

// The encoder's quality, on Vorbis's scale of -0.1 to 1 (oggenc's -q 6).
// Higher quality means less coding noise, which is heard most where it
// spreads into the silence just before a word; from 0.4 to 0.6 the sets grow
// only from about 8.5 to 10 MB for all four languages, since a short clip's
// size is mostly the stream's headers.
constexpr float oggquality = 0.6f;

// Writes mono samples at 22050 Hz as an Ogg Vorbis file whose decoded length
// is exactly the samples' count: the last page's granule position tells a
// decoder where the sound ends, and Vorbis adds nothing before the first
// sample. The file is replaced whole: a failed or interrupted write never
// leaves a short clip behind. Failure naming the file.
void writeogg(const std::string& path, const std::vector<int16_t>& mono,
              float quality = oggquality);

}  // namespace corvale::clipgen
