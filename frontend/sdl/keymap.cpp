// The translation table from SDL's keys to the game's. The twelve symbol keys
// are a shape under the fingers, three rows of four, so they are taken by
// place: the keys that hold Q W E R / A S D F / Z X C V on a US keyboard,
// whatever the layout prints on them (A and Q swap places on AZERTY, Y and Z
// on QWERTZ). Every other key means what its name says on the player's
// layout: H for the sentence, P for the pad, the digits, Enter. The number
// pad's digits and Enter act as the main ones.
#include "frontend/sdl/keymap.h"

#include "platform/keys.h"

namespace corvale {

namespace {

struct Placed {
    SDL_Scancode place;
    int code;
};

struct Named {
    SDL_Keycode name;
    int code;
};

constexpr Placed grid[] = {
    {SDL_SCANCODE_Q, keyQ}, {SDL_SCANCODE_W, keyW}, {SDL_SCANCODE_E, keyE}, {SDL_SCANCODE_R, keyR},
    {SDL_SCANCODE_A, keyA}, {SDL_SCANCODE_S, keyS}, {SDL_SCANCODE_D, keyD}, {SDL_SCANCODE_F, keyF},
    {SDL_SCANCODE_Z, keyZ}, {SDL_SCANCODE_X, keyX}, {SDL_SCANCODE_C, keyC}, {SDL_SCANCODE_V, keyV},
};

// The grid's letters are missing on purpose: on QWERTZ the key named Z sits
// where Y is on a US keyboard, and must not act as the grid's bottom-left.
constexpr Named named[] = {
    {SDLK_BACKSPACE, keyBackspace},
    {SDLK_TAB, keyTab},
    {SDLK_RETURN, keyEnter},
    {SDLK_KP_ENTER, keyEnter},
    {SDLK_LSHIFT, keyShift},
    {SDLK_RSHIFT, keyShift},
    {SDLK_LCTRL, keyCtrl},
    {SDLK_RCTRL, keyCtrl},
    {SDLK_LALT, keyAlt},
    {SDLK_RALT, keyAlt},
    {SDLK_ESCAPE, keyEscape},
    {SDLK_SPACE, keySpace},
    {SDLK_LEFT, keyLeft},
    {SDLK_UP, keyUp},
    {SDLK_RIGHT, keyRight},
    {SDLK_DOWN, keyDown},
    {SDLK_LGUI, keyWindows},
    {SDLK_RGUI, keyWindows},
    {SDLK_F1, keyF1},
    {SDLK_F5, keyF5},
    {SDLK_F6, keyF6},
    {SDLK_F7, keyF7},
    {SDLK_F8, keyF8},
    {SDLK_F9, keyF9},
    {SDLK_F10, keyF10},
    {SDLK_F11, keyF11},
    {SDLK_F12, keyF12},
    {SDLK_0, key0},
    {SDLK_1, key1},
    {SDLK_2, key2},
    {SDLK_3, key3},
    {SDLK_4, key4},
    {SDLK_5, key5},
    {SDLK_6, key6},
    {SDLK_7, key7},
    {SDLK_8, key8},
    {SDLK_9, key9},
    {SDLK_KP_0, key0},
    {SDLK_KP_1, key1},
    {SDLK_KP_2, key2},
    {SDLK_KP_3, key3},
    {SDLK_KP_4, key4},
    {SDLK_KP_5, key5},
    {SDLK_KP_6, key6},
    {SDLK_KP_7, key7},
    {SDLK_KP_8, key8},
    {SDLK_KP_9, key9},
    {SDLK_b, keyB},
    {SDLK_g, keyG},
    {SDLK_h, keyH},
    {SDLK_i, keyI},
    {SDLK_j, keyJ},
    {SDLK_k, keyK},
    {SDLK_l, keyL},
    {SDLK_m, keyM},
    {SDLK_n, keyN},
    {SDLK_o, keyO},
    {SDLK_p, keyP},
    {SDLK_t, keyT},
    {SDLK_u, keyU},
    {SDLK_y, keyY},
};

// On AZERTY the number row's keys are named by their symbols (& é " ...), yet
// players read them as digits. SDL 2 already names them 1 2 3 ... there; this
// keeps the digits should a layout or SDL name them otherwise.
constexpr Placed numberrow[] = {
    {SDL_SCANCODE_1, key1}, {SDL_SCANCODE_2, key2}, {SDL_SCANCODE_3, key3}, {SDL_SCANCODE_4, key4},
    {SDL_SCANCODE_5, key5}, {SDL_SCANCODE_6, key6}, {SDL_SCANCODE_7, key7}, {SDL_SCANCODE_8, key8},
    {SDL_SCANCODE_9, key9}, {SDL_SCANCODE_0, key0},
};

}  // namespace

std::optional<GameKey> gamekey(SDL_Scancode place, SDL_Keycode name, Uint16 held) {
    int mask = ((held & KMOD_SHIFT) ? maskShift : 0) | ((held & KMOD_CTRL) ? maskCtrl : 0) |
               ((held & KMOD_ALT) ? maskAlt : 0);
    for (const Placed& key : grid)
        if (key.place == place) return GameKey{key.code, mask};
    for (const Named& key : named)
        if (key.name == name) return GameKey{key.code, mask};
    for (const Placed& key : numberrow)
        if (key.place == place) return GameKey{key.code, mask};
    return std::nullopt;
}

}  // namespace corvale
