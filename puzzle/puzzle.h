// The puzzle model in play: loading a level with its scratch pad and marks,
// saving them, reading a clue aloud and checking the pad against the answer key.
#pragma once

#include <string>

namespace corvale {

void newgame();
void savescratch();
void savemarks();
void sayclue();
void answercheck();

// A file of the player's the game cannot read (a pad, marks, a made puzzle,
// the settings) is renamed beside itself under a free name, so it is neither
// lost nor read again, and a note says `why`, where it went, and `then`, what
// the game does without it. Failure when no free name is left.
void setaside(const std::string& file, const std::string& why, const std::string& then);

}  // namespace corvale
