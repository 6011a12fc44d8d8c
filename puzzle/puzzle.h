// The puzzle model in play: loading a level with its scratch pad and marks,
// saving them, reading a clue aloud and checking the pad against the answer key.
#pragma once

namespace corvale {

void newgame();
void savescratch();
void savemarks();
void sayclue();
void answercheck();

}  // namespace corvale
