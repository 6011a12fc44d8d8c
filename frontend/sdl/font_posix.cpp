// The large-print view's font on a POSIX system: DejaVu Sans Bold from
// fonts-dejavu-core at its Debian path, else wherever fontconfig finds it, or
// the file CORVALE_FONT names.
#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frontend/sdl/font.h"

namespace corvale {

const char* const fontadvice = "install fonts-dejavu-core";

namespace {

const char* const debianfont = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";

// The font file through fontconfig: the best match for DejaVu Sans Bold,
// which may be another sans-serif face where DejaVu is not installed.
std::string fontconfigfont() {
    std::string path;
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) return path;
    FcPattern* pattern = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans:bold"));
    if (pattern) {
        FcConfigSubstitute(config, pattern, FcMatchPattern);
        FcDefaultSubstitute(pattern);
        FcResult result = FcResultNoMatch;
        FcPattern* match = FcFontMatch(config, pattern, &result);
        FcChar8* file = nullptr;
        if (match && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file)
            path = reinterpret_cast<const char*>(file);
        if (match) FcPatternDestroy(match);
        FcPatternDestroy(pattern);
    }
    FcConfigDestroy(config);
    return path;
}

}  // namespace

// Where the font is: CORVALE_FONT when set (and nothing else), else the
// Debian path, else fontconfig's answer. Empty when none is readable.
std::string findfont() {
    if (const char* chosen = std::getenv("CORVALE_FONT"))
        return ::access(chosen, R_OK) == 0 ? chosen : "";
    if (::access(debianfont, R_OK) == 0) return debianfont;
    std::string found = fontconfigfont();
    return !found.empty() && ::access(found.c_str(), R_OK) == 0 ? found : "";
}

// The font at `path`, opened only when it is a plain file: a FIFO named by
// CORVALE_FONT would hold TTF_OpenFont for ever, a device would feed it
// without end. The file is checked and handed to SDL_ttf through the one
// descriptor, so nothing can be swapped in between. Null, with the reason in
// `why`, when it cannot be used.
TTF_Font* openfont(const std::string& path, int size, std::string& why) {
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        why = std::strerror(errno);
        return nullptr;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        why = "it is not a plain file";
        return nullptr;
    }
    std::FILE* file = ::fdopen(fd, "rb");
    if (!file) {
        why = std::strerror(errno);
        ::close(fd);
        return nullptr;
    }
    SDL_RWops* source = SDL_RWFromFP(file, SDL_TRUE);
    if (!source) {
        why = SDL_GetError();
        std::fclose(file);
        return nullptr;
    }
    TTF_Font* font = TTF_OpenFontRW(source, 1, size);  // frees the source either way
    if (!font) why = TTF_GetError();
    return font;
}

}  // namespace corvale
