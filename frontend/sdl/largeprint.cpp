// Drawing the large-print view with SDL2_ttf onto the window's own surface.
// One font is opened once and set to each line's size in turn; the view is
// drawn only when its lines or the window change.
#include "frontend/sdl/largeprint.h"

#include <fcntl.h>
#include <fontconfig/fontconfig.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "frontend/sdl/layout.h"
#include "platform/failure.h"

namespace corvale {

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

// Where the font is: CORVALE_FONT when set (and nothing else), else the
// Debian path, else fontconfig's answer. Empty when none is readable.
std::string findfont() {
    if (const char* chosen = std::getenv("CORVALE_FONT"))
        return ::access(chosen, R_OK) == 0 ? chosen : "";
    if (::access(debianfont, R_OK) == 0) return debianfont;
    std::string found = fontconfigfont();
    return !found.empty() && ::access(found.c_str(), R_OK) == 0 ? found : "";
}

void note(const std::string& text) {
    report(text + "; the window stays black, play is not affected");
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

}  // namespace

LargePrint::LargePrint() {
    std::string path = findfont();
    if (path.empty()) {
        note("no font for the large-print view (install fonts-dejavu-core)");
        return;
    }
    if (TTF_Init() != 0) {
        note(std::string("cannot start SDL_ttf: ") + TTF_GetError());
        return;
    }
    std::string why;
    font_ = openfont(path, size_, why);
    if (!font_) note("cannot open the font " + path + ": " + why);
}

LargePrint::~LargePrint() {
    if (font_) TTF_CloseFont(font_);
}

void LargePrint::paint(SDL_Window* window, const std::vector<std::string>& lines) {
    SDL_Surface* screen = window ? SDL_GetWindowSurface(window) : nullptr;
    if (!screen) return;
    SDL_FillRect(screen, nullptr, SDL_MapRGB(screen->format, 0, 0, 0));
    if (font_ && !lines.empty()) {
        // Every line is measured at one size; the layout scales each from it.
        resize(measuresize);
        std::vector<int> widths;
        for (const std::string& line : lines) {
            int w = 0, h = 0;
            if (line.empty() || TTF_SizeUTF8(font_, line.c_str(), &w, &h) != 0) w = 0;
            widths.push_back(w);
        }
        const std::vector<Placed> places =
            layout(lines, widths, measuresize, TTF_FontLineSkip(font_), screen->w, screen->h);
        const SDL_Color white{255, 255, 255, 255};
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (places[i].size == 0 || lines[i].empty()) continue;
            resize(places[i].size);
            SDL_Surface* text = TTF_RenderUTF8_Blended(font_, lines[i].c_str(), white);
            if (!text) continue;
            SDL_Rect at{(screen->w - text->w) / 2, places[i].top, text->w, text->h};
            SDL_BlitSurface(text, nullptr, screen, &at);
            SDL_FreeSurface(text);
        }
    }
    SDL_UpdateWindowSurface(window);
}

void LargePrint::resize(int size) {
    if (size == size_) return;
    size_ = size;
    TTF_SetFontSize(font_, size_);
}

}  // namespace corvale
