// Reading voxlet's command tail, "VOLUME,RATE,TEXT", into the values it
// speaks with. Kept apart from SDL and espeak-ng so every rule of the format
// can be tested on its own.
#pragma once

#include <string>
#include <string_view>

namespace corvale::voxlet {

constexpr const char* usage =
    "usage: voxlet VOLUME,RATE,TEXT  (for example: voxlet 100,2,Clue 3)\n"
    "CORVALE_SPEECH=auto|speechd|espeak chooses the voice: speech-dispatcher when a server\n"
    "answers (auto, the default), speech-dispatcher or fail (speechd), the built-in one (espeak)";

struct Tail {
    int volume = 0;
    int rate = 0;
    std::string text;
    // Empty when the tail was read; otherwise what is wrong with it.
    std::string error;
};

// The command tail as the program was given it: its arguments after its own
// name, joined by single spaces, so a quoted and an unquoted tail agree.
std::string jointail(int argc, const char* const* argv);

// Spaces around the tail are dropped; volume and rate are the numbers before
// the first and second commas, floored toward minus infinity; the text is
// everything after the second comma as it stands. Says nothing about whether
// the voice takes those values: that is the speech engine's to say.
Tail parsetail(std::string_view tail);

}  // namespace corvale::voxlet
