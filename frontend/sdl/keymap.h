// SDL's keyboard turned into the game's keys (platform/keys.h), at the edge of
// the front end, the way a GUI toolkit's SDL back end turns SDLK_TAB into its
// own Tab. Kept apart from the window so it can be tested without one: it
// reads only the key press SDL reports, never SDL's state.
#pragma once

#include <SDL_keyboard.h>

#include <optional>

namespace corvale {

// A key press as the game reads it: a code from platform/keys.h and the mask
// of the modifiers held (maskShift, maskCtrl, maskAlt).
struct GameKey {
    int code;
    int mask;
};

// The game's key for a press of the physical key `place`, which the player's
// layout names `name`, with the modifiers `held` (SDL's KMOD_ bits). Nothing
// for a key the game has no name for.
std::optional<GameKey> gamekey(SDL_Scancode place, SDL_Keycode name, Uint16 held);

}  // namespace corvale
