// The answer check, run after every assignment: a pad that agrees with the
// answer key wins, and the player is taken back to the main menu. A pad that
// does not gets no sound at all, so it gives away nothing.
#include "audio/audio.h"
#include "puzzle/newpuzzle.h"
#include "puzzle/puzzle.h"
#include "state/game.h"

namespace corvale {

void answercheck() {
    int correct = 0;
    for (int i = 1; i <= 10; ++i) {
        const std::string& digit = Form1.scratchdigit[i];
        if (digit.empty()) continue;
        if (digit.size() != 1 || digit[0] < '0' || digit[0] > '9')
            fail("scratch slot " + std::to_string(i) + " holds \"" + digit + "\", not a digit");
        if (Form1.answerkey[digit[0] - '0'] == Form1.scratchletter[i]) correct = correct + 1;
    }
    int needed = 0;
    for (int d = 0; d <= 9; ++d)
        if (Form1.answerkey[d] != "*") needed = needed + 1;

    if (correct == 0 || correct != needed) return;

    Form1.schedcount = 0;
    makesound(apppath() + "\\sounds\\win.wav", 0, 0);
    // Forgotten at once: a player who quits during the fanfare has still won.
    forgetpuzzle();
    int game = Form1.gamenumber;
    hold(2.5);
    // Keys are handled during the pause. A player who has meanwhile left
    // the puzzle (Escape, perhaps another puzzle chosen) has made their own
    // move, which the rest of the win must not undo.
    if (Module1.menulevel != 0 || Form1.gamenumber != game) return;
    makesound(apppath() + "\\sounds\\mainmenu.wav", 0, 0);
    Module1.menulevel = 1;
    Module1.menuitem = 0;
}

}  // namespace corvale
