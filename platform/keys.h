// The keys the game knows, by name: the vocabulary every front end translates
// its keyboard into and the tests press. The values are Windows virtual-key
// codes, the numbers the game's key handling was written against: a letter or
// a main-row digit is its own upper-case character ('Q', '7'). A key that is
// not named here never reaches the game from a real keyboard.
#pragma once

namespace corvale {

constexpr int keyBackspace = 8, keyTab = 9, keyEnter = 13, keyShift = 16, keyCtrl = 17, keyAlt = 18,
              keyEscape = 27, keySpace = 32;
constexpr int keyLeft = 37, keyUp = 38, keyRight = 39, keyDown = 40, keyWindows = 91;
constexpr int keyF1 = 112, keyF5 = 116, keyF6 = 117, keyF7 = 118, keyF8 = 119, keyF9 = 120,
              keyF10 = 121, keyF11 = 122, keyF12 = 123;

constexpr int key0 = '0', key1 = '1', key2 = '2', key3 = '3', key4 = '4', key5 = '5', key6 = '6',
              key7 = '7', key8 = '8', key9 = '9';

constexpr int keyA = 'A', keyB = 'B', keyC = 'C', keyD = 'D', keyE = 'E', keyF = 'F', keyG = 'G',
              keyH = 'H', keyI = 'I', keyJ = 'J', keyK = 'K', keyL = 'L', keyM = 'M', keyN = 'N',
              keyO = 'O', keyP = 'P', keyQ = 'Q', keyR = 'R', keyS = 'S', keyT = 'T', keyU = 'U',
              keyV = 'V', keyW = 'W', keyX = 'X', keyY = 'Y', keyZ = 'Z';

// The modifiers held with a key, added together: Shift+Ctrl is 3.
constexpr int maskShift = 1, maskCtrl = 2, maskAlt = 4;

// The digit a main-row digit key stands for, or -1 for any other key.
constexpr int digitof(int key) {
    return key >= key0 && key <= key9 ? key - key0 : -1;
}

}  // namespace corvale
