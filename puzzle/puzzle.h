// The puzzle model in play: loading a level and its scratch pad, saving the
// pad, reading a clue aloud and checking the pad against the answer key.
#pragma once

namespace corvale {

void newgame();
void savescratch();
void sayclue();
void answercheck();

}  // namespace corvale
