// Reading a clue aloud: the speech program says the clue's number in the
// words of the clips' language, and half a second later, or once that speech
// has ended, the row is laid out on the schedule as one evenly paced phrase,
// symbol by symbol with the relation and "equals" between words. A reading
// first silences what earlier keys started (the row and number before it),
// and gives way while it waits if a newer key speaks or Ctrl is pressed.
#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "speech/voicefile.h"
#include "state/game.h"

namespace corvale {

namespace {

constexpr int symbolgap = 7;  // ticks from one symbol to the next
constexpr int wordgap = 5;    // ticks before and after a relation or "equals"
// How long the row waits, beyond the first half second, for the clue number
// to be heard out; a speech program that hangs must not silence the game.
constexpr int numberwait = 40;  // ticks

void sayword(const std::string& word, int& delay) {
    for (std::size_t p = 0; p < 4 && p < word.size(); ++p) {
        if (word[p] == '_') continue;
        newprize(translate(std::string(1, word[p])), 0, 0, delay);
        delay += symbolgap;
    }
}

}  // namespace

void sayclue() {
    hush();
    int turn = Form1.speechturn;
    Form1.os->spawn("voxlet", std::to_string(livevolume(100)) + "," + std::to_string(liverate(2)) +
                                  "," + withnumber(Module1.voice.clue, Form1.clueindex));
    hold(0.5);
    // The number is spoken by another process at its own pace: the row starts
    // only once no clue number is still being spoken, so the two never overlap.
    for (int waited = 0;
         waited < numberwait && Form1.speechturn == turn && Form1.os->spawnedrunning(); ++waited)
        hold(0.05);
    // A newer reading, another key's speech or Ctrl has the voice now. A
    // player who left the puzzle meanwhile (Escape, or a win) is in the menu,
    // where no clue belongs.
    if (Form1.speechturn != turn || Module1.menulevel != 0) return;
    if (Form1.clueindex == 0) Form1.clueindex = 1;
    Form1.List1.clear();
    Form1.schedcount = 0;

    int i = Form1.clueindex;
    const std::string& op = Form1.clueop[i];
    int delay = 0;
    sayword(Form1.cluea[i], delay);
    delay += wordgap;
    std::string sign = relationclip(op);
    if (!sign.empty()) newprize(sign, 0, 0, delay);
    delay += wordgap;
    sayword(Form1.clueb[i], delay);
    delay += wordgap;
    if (op == "*" || op == "-") newprize(apppath() + "\\sounds\\equals.wav", 0, 0, delay);
    delay += wordgap;
    sayword(Form1.cluec[i], delay);
}

}  // namespace corvale
