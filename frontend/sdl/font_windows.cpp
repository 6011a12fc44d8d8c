// The large-print view's font on Windows: DejaVu Sans Bold, shipped beside
// the program in the game's zip, or the file CORVALE_FONT names. SDL opens a
// file by its UTF-8 name on Windows, and the file system has no FIFO or
// device a name could stand for.
#include <cstdlib>

#include "files/files.h"
#include "frontend/sdl/font.h"

namespace corvale {

const char* const fontadvice = "DejaVuSans-Bold.ttf is missing beside corvale.exe";

std::string findfont() {
    std::string path = programdirectory() + "\\DejaVuSans-Bold.ttf";
    if (const char* chosen = std::getenv("CORVALE_FONT")) path = chosen;
    return fileexists(path) ? path : "";
}

TTF_Font* openfont(const std::string& path, int size, std::string& why) {
    TTF_Font* font = TTF_OpenFont(path.c_str(), size);
    if (!font) why = TTF_GetError();
    return font;
}

}  // namespace corvale
