// Finding and opening the large-print view's font, which differs by
// operating system: DejaVu Sans Bold, from the system on Linux and shipped
// beside the program on Windows. CORVALE_FONT names another file on either.
#pragma once

#include <SDL_ttf.h>

#include <string>

namespace corvale {

// The font file, or "" when none is readable.
std::string findfont();
// The font at `path` at a size; null, with the reason in `why`, when it
// cannot be used.
TTF_Font* openfont(const std::string& path, int size, std::string& why);
// What the player can do when no font is found.
extern const char* const fontadvice;

}  // namespace corvale
