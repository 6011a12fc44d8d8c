// New puzzles made in the game for levels 5 to 7 (a new easy, medium and
// hard puzzle), kept in the save folder until won.
#pragma once

#include <string>

namespace corvale {

// The level of the first new puzzle; the menu's items follow the puzzles 1 to 4.
constexpr int firstnewlevel = 5;

// True for the levels of new puzzles.
bool isnewlevel(int level);

// Where the puzzle made for `level` is kept: the save folder's puzzN.txt.
std::string newpuzzlefile(int level);

// Makes a new puzzle for `level` in the game's language and keeps it in
// newpuzzlefile(level); the level's old pad and marks are removed.
void makepuzzle(int level);

// After a win: the puzzle made for the level is forgotten, so the next
// choice of the level makes a fresh one. A puzzle of the player's own is
// left alone.
void forgetpuzzle();

}  // namespace corvale
