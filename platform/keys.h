// The key codes the game reads, in one place. They are Windows virtual-key
// codes, which the front end translates its keyboard into; letters and the
// main-row digits are their own upper-case characters ('A', '0').
#pragma once

namespace corvale {

constexpr int keyBackspace = 8, keyTab = 9, keyEnter = 13, keyShift = 16, keyCtrl = 17, keyAlt = 18,
              keyEscape = 27, keySpace = 32;
constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keyWindows = 91;
constexpr int keyF1 = 112;

}  // namespace corvale
