// Drawing the large-print view with SDL2_ttf onto the window's own surface.
// One font is opened once and set to each line's size in turn; the view is
// drawn only when its lines or the window change.
#include "frontend/sdl/largeprint.h"

#include <algorithm>

#include "frontend/sdl/font.h"
#include "frontend/sdl/layout.h"
#include "platform/failure.h"

namespace corvale {

namespace {

void note(const std::string& text) {
    report(text + "; the window stays black, play is not affected");
}

}  // namespace

LargePrint::LargePrint() {
    std::string path = findfont();
    if (path.empty()) {
        note(std::string("no font for the large-print view (") + fontadvice + ")");
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
