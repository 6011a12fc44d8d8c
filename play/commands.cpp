// The play commands: every key of a puzzle in progress. The player hears a
// clue, moves between clues, listens to single symbols, gives the last heard
// symbol a digit (saved at once) and toggles between letters and digits.
#include "audio/audio.h"
#include "platform/keys.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "speech/letters.h"
#include "state/game.h"

namespace corvale {

namespace {

// The twelve symbol keys: three rows of four, one row per word.
struct SymbolKey {
    int code;
    int word;  // 1 first, 2 second, 3 third
    int position;
};
constexpr SymbolKey symbolkeys[] = {
    {keyQ, 1, 1}, {keyW, 1, 2}, {keyE, 1, 3}, {keyR, 1, 4}, {keyA, 2, 1}, {keyS, 2, 2},
    {keyD, 2, 3}, {keyF, 2, 4}, {keyZ, 3, 1}, {keyX, 3, 2}, {keyC, 3, 3}, {keyV, 3, 4},
};

void readsymbol(const SymbolKey& key) {
    hush();
    int i = Form1.clueindex;
    bool relation = key.code == keyA;
    std::string sign = relationclip(Form1.clueop[i]);
    if (relation && !sign.empty()) newprize(sign, 0, 0, 0);

    const std::string& word = key.word == 1   ? Form1.cluea[i]
                              : key.word == 2 ? Form1.clueb[i]
                                              : Form1.cluec[i];
    std::size_t p = static_cast<std::size_t>(key.position - 1);
    Form1.selectedletter = p < word.size() ? word.substr(p, 1) : "";
    // A word shorter than four positions has nothing there to say.
    if (Form1.selectedletter.empty()) return;

    std::string clip = translate(Form1.selectedletter);
    if (clip.size() >= 5 && clip.compare(clip.size() - 5, 5, "_.wav") == 0)
        clip = apppath() + "\\sounds\\click.wav";
    newprize(clip, 0, 0, relation ? 10 : 0);
}

void assigndigit(int d) {
    hush();
    // An empty position is no symbol: it takes no digit, and the key only
    // repeats the click that marks it.
    if (Form1.selectedletter == blankmark) {
        newprize(apppath() + "\\sounds\\click.wav", 0, 0, 0);
        return;
    }
    // The letter's own slot first, wherever it is: a free slot above it
    // would otherwise give the letter a second entry. A slot that holds the
    // blank mark (stored by older versions of the game) is free: otherwise it
    // could fill the pad of a ten-letter puzzle.
    int slot = 0;
    for (int i = 1; i <= 10 && slot == 0; ++i)
        if (Form1.scratchletter[i] == Form1.selectedletter) slot = i;
    for (int i = 1; i <= 10 && slot == 0; ++i)
        if (Form1.scratchletter[i].empty() || Form1.scratchletter[i] == blankmark) slot = i;
    // The game never confirms a digit it did not store.
    if (slot == 0) {
        newprize(apppath() + "\\sounds\\padfull.wav", 0, 0, 0);
        return;
    }
    // The symbol as written in the clue, never translated.
    newprize(apppath() + "\\sounds\\" + Form1.selectedletter + ".wav", 0, 0, 0);
    newprize(apppath() + "\\sounds\\issetto.wav", 0, 0, 9);
    newprize(apppath() + "\\sounds\\" + std::to_string(d) + ".wav", 0, 0, 21);

    Form1.scratchletter[slot] = Form1.selectedletter;
    Form1.scratchdigit[slot] = std::to_string(d);
    savescratch();
    answercheck();
}

}  // namespace

void playkey(int KeyCode, int Shift) {
    // Only a P pressed right after a reading of P cut short reads on.
    if (KeyCode != keyP) Form1.padnext = "";
    if (KeyCode == keySpace) {
        // The mode's name is said alone, not over the rest of a row.
        hush();
        Form1.substitute = Form1.substitute == 0 ? 1 : 0;
        makesound(
            apppath() + (Form1.substitute ? "\\sounds\\substitute.wav" : "\\sounds\\original.wav"),
            0, 0);
        return;
    }
    if (KeyCode == keyEnter) {
        sayclue();
        return;
    }
    if (KeyCode == keyH) {
        hush();
        int turn = Form1.speechturn;
        hold(0.2);
        // A key pressed during the pause that speaks, or Ctrl, has the voice now.
        if (Form1.speechturn != turn) return;
        const std::string& sentence = Form1.cluetext[Form1.clueindex];
        speak(spokenletters(sentence, Module1.voice.language), sentence);
        return;
    }
    if (KeyCode == keyTab && Shift == 0) {
        Form1.clueindex = Form1.clueindex + 1;
        if (Form1.clueindex > Form1.cluecount) Form1.clueindex = 1;
        Form1.selectedletter = "";
        sayclue();
        return;
    }
    if (KeyCode == keyTab && Shift == maskShift) {
        Form1.clueindex = Form1.clueindex - 1;
        if (Form1.clueindex <= 0) Form1.clueindex = Form1.cluecount;
        Form1.selectedletter = "";
        sayclue();
        return;
    }
    if (KeyCode == keyP) {
        saypad();
        return;
    }
    if (KeyCode == keyBackspace) {
        takeback();
        return;
    }
    int digit = digitof(KeyCode);
    // Shift with a digit, of the main row or the number pad (the front end
    // passes both as the digit and the Shift bit), marks the digit. No
    // screen reader takes Shift with a digit in a game window; Ctrl and Alt
    // with a digit are left as they were.
    if (digit >= 0 && Shift == maskShift) {
        togglemark(digit);
        return;
    }
    // M (marks) and N (next step) are plain letters: a screen reader takes
    // single letters only in a document's browse mode, never in a game
    // window. They lie right of the third word's keys, not between them.
    if (KeyCode == keyM) {
        saymarks();
        return;
    }
    if (KeyCode == keyN) {
        sayhint();
        return;
    }
    if (digit < 0 || Form1.selectedletter.empty()) {
        if (Form1.clueindex <= 0) return;
        for (const SymbolKey& key : symbolkeys) {
            if (key.code != KeyCode) continue;
            readsymbol(key);
            return;
        }
        // A key the game ignores (a digit before any letter was heard, a key
        // with no meaning) still answers with the click, so a player never
        // wonders whether the key arrived. Whatever is being said goes on.
        newprize(apppath() + "\\sounds\\click.wav", 0, 0, 0);
        return;
    }
    assigndigit(digit);
}

}  // namespace corvale
