// The large-print view's drawing: lines of text as large as the window
// allows, each line at its own size, white on black, centred. The font is DejaVu Sans Bold from
// fonts-dejavu-core, at its Debian path or wherever fontconfig finds it (or
// the file CORVALE_FONT names); without a font the window stays black and
// the game plays on, since nothing of play depends on the view.
#pragma once

#include <SDL.h>
#include <SDL_ttf.h>

#include <string>
#include <vector>

namespace corvale {

class LargePrint {
  public:
    // Opens the font; without one, says so on standard error and draws
    // nothing but black.
    LargePrint();
    ~LargePrint();
    LargePrint(const LargePrint&) = delete;
    LargePrint& operator=(const LargePrint&) = delete;

    // Fills the window black and draws the lines, each as large as its
    // section of the window allows (frontend/sdl/layout.h).
    void paint(SDL_Window* window, const std::vector<std::string>& lines);

  private:
    static constexpr int measuresize = 100;  // points the lines are measured at
    void resize(int size);
    TTF_Font* font_ = nullptr;
    int size_ = measuresize;  // the font's present size in points
};

}  // namespace corvale
