// Puzzle play: the keys a player uses while a puzzle is open, and the
// translation of a symbol into the clip that speaks it.
#pragma once

#include <string>

namespace corvale {

// Handles one key while a puzzle is being played.
void playkey(int KeyCode, int Shift);

// The clip path that speaks `tempm`: its own letter, or in substitute mode
// the digit the scratch pad gives it.
std::string translate(std::string tempm);

// The clip path that says a row's relation ("*", "-", "<"), or "" for any
// other value, which has no word.
std::string relationclip(const std::string& op);

}  // namespace corvale
