// SDL key presses as a US, AZERTY or QWERTZ layout reports them, each the
// physical key (scancode) with the name the layout gives it, turned into the
// game's keys. The grid goes by place, everything else by name; the number
// pad acts as the main keys.
#include <SDL_keyboard.h>
#include <gtest/gtest.h>

#include "frontend/sdl/keymap.h"
#include "platform/keys.h"

namespace corvale {
namespace {

constexpr int none = -1;

struct Press {
    const char* what;
    SDL_Scancode place;
    SDL_Keycode name;
    Uint16 held;
    int code;  // none: the game never hears it
    int mask;
};

TEST(KeyMap, SdlPressesBecomeTheGamesKeys) {
    const Press presses[] = {
        // US: every key where its letter is.
        {"US Q", SDL_SCANCODE_Q, SDLK_q, 0, keyQ, 0},
        {"US V", SDL_SCANCODE_V, SDLK_v, 0, keyV, 0},
        {"US H", SDL_SCANCODE_H, SDLK_h, 0, keyH, 0},
        {"US P", SDL_SCANCODE_P, SDLK_p, 0, keyP, 0},
        {"US Y", SDL_SCANCODE_Y, SDLK_y, 0, keyY, 0},
        {"US 7", SDL_SCANCODE_7, SDLK_7, 0, key7, 0},
        {"US 0", SDL_SCANCODE_0, SDLK_0, 0, key0, 0},
        // AZERTY: A and Q, Z and W swap; the grid stays where the fingers are.
        {"AZERTY A at Q's place", SDL_SCANCODE_Q, SDLK_a, 0, keyQ, 0},
        {"AZERTY Q at A's place", SDL_SCANCODE_A, SDLK_q, 0, keyA, 0},
        {"AZERTY Z at W's place", SDL_SCANCODE_W, SDLK_z, 0, keyW, 0},
        {"AZERTY W at Z's place", SDL_SCANCODE_Z, SDLK_w, 0, keyZ, 0},
        {"AZERTY M beside L", SDL_SCANCODE_SEMICOLON, SDLK_m, 0, keyM, 0},
        {"AZERTY comma at M's place", SDL_SCANCODE_M, SDLK_COMMA, 0, none, 0},
        // SDL 2 names AZERTY's number row by its digits; named by its
        // symbols (& for 1, é for 2) the row still gives its digits.
        {"AZERTY 1 as SDL 2 names it", SDL_SCANCODE_1, SDLK_1, 0, key1, 0},
        {"AZERTY 1 named &", SDL_SCANCODE_1, SDLK_AMPERSAND, 0, key1, 0},
        {"AZERTY 2 named e-acute", SDL_SCANCODE_2, 0xE9, 0, key2, 0},
        {"AZERTY 0 named a-grave", SDL_SCANCODE_0, 0xE0, 0, key0, 0},
        // QWERTZ: Y and Z swap; the key named Z is no grid key.
        {"QWERTZ Y at Z's place", SDL_SCANCODE_Z, SDLK_y, 0, keyZ, 0},
        {"QWERTZ Z at Y's place", SDL_SCANCODE_Y, SDLK_z, 0, none, 0},
        {"QWERTZ H", SDL_SCANCODE_H, SDLK_h, 0, keyH, 0},
        {"QWERTZ 5", SDL_SCANCODE_5, SDLK_5, 0, key5, 0},
        // The number pad, with Num Lock on or off.
        {"pad 0", SDL_SCANCODE_KP_0, SDLK_KP_0, 0, key0, 0},
        {"pad 5", SDL_SCANCODE_KP_5, SDLK_KP_5, KMOD_NUM, key5, 0},
        {"pad 9", SDL_SCANCODE_KP_9, SDLK_KP_9, 0, key9, 0},
        {"pad Enter", SDL_SCANCODE_KP_ENTER, SDLK_KP_ENTER, 0, keyEnter, 0},
        {"pad plus", SDL_SCANCODE_KP_PLUS, SDLK_KP_PLUS, 0, none, 0},
        // The other named keys and the modifiers held with them.
        {"Enter", SDL_SCANCODE_RETURN, SDLK_RETURN, 0, keyEnter, 0},
        {"Shift+Tab", SDL_SCANCODE_TAB, SDLK_TAB, KMOD_LSHIFT, keyTab, maskShift},
        {"Ctrl+Shift+Tab", SDL_SCANCODE_TAB, SDLK_TAB, KMOD_RSHIFT | KMOD_LCTRL, keyTab,
         maskShift | maskCtrl},
        {"Ctrl alone", SDL_SCANCODE_RCTRL, SDLK_RCTRL, KMOD_RCTRL, keyCtrl, maskCtrl},
        {"Alt Gr", SDL_SCANCODE_RALT, SDLK_RALT, KMOD_RALT, keyAlt, maskAlt},
        {"Caps Lock held is no modifier", SDL_SCANCODE_Q, SDLK_q, KMOD_CAPS, keyQ, 0},
        {"left Windows", SDL_SCANCODE_LGUI, SDLK_LGUI, KMOD_LGUI, keyWindows, 0},
        {"right Windows", SDL_SCANCODE_RGUI, SDLK_RGUI, 0, keyWindows, 0},
        {"Escape", SDL_SCANCODE_ESCAPE, SDLK_ESCAPE, 0, keyEscape, 0},
        {"Space", SDL_SCANCODE_SPACE, SDLK_SPACE, 0, keySpace, 0},
        {"Backspace", SDL_SCANCODE_BACKSPACE, SDLK_BACKSPACE, 0, keyBackspace, 0},
        {"Left", SDL_SCANCODE_LEFT, SDLK_LEFT, 0, keyLeft, 0},
        {"Down", SDL_SCANCODE_DOWN, SDLK_DOWN, 0, keyDown, 0},
        {"F1", SDL_SCANCODE_F1, SDLK_F1, 0, keyF1, 0},
        {"F2", SDL_SCANCODE_F2, SDLK_F2, 0, none, 0},
        // The rate and volume keys, the first and last of them.
        {"F5", SDL_SCANCODE_F5, SDLK_F5, 0, keyF5, 0},
        {"F12", SDL_SCANCODE_F12, SDLK_F12, 0, keyF12, 0},
    };
    for (const Press& press : presses) {
        SCOPED_TRACE(press.what);
        std::optional<GameKey> key = gamekey(press.place, press.name, press.held);
        if (press.code == none) {
            EXPECT_FALSE(key) << "heard as " << key->code;
            continue;
        }
        ASSERT_TRUE(key);
        EXPECT_EQ(key->code, press.code);
        EXPECT_EQ(key->mask, press.mask);
    }
}

}  // namespace
}  // namespace corvale
