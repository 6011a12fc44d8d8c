// The pad keys of a puzzle: P reads the whole scratch pad aloud in letter
// order, each letter's marks after its digit, Backspace takes back the digit
// of the letter heard last. Both speak through the delayed schedule, paced
// like the announcement of a digit, so the player hears the pad in the same
// rhythm as it was filled.
#include <algorithm>
#include <map>
#include <utility>
#include <vector>

#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "state/game.h"

namespace corvale {

namespace {

// Tick steps from a letter to "is set to" and to the digit: the gaps of a
// digit's announcement (8 and 12); and from the digit to the marks.
constexpr int setgap = 8, digitgap = 20, marksgap = 30;

// The schedule's entries one reading of P may take: all fifty but one, kept
// for the clip that says P goes on.
constexpr int pageentries = 49;

// A slot is in use when it holds a letter and a digit; one that holds the
// blank mark, which older versions of the game stored, counts as free.
bool inuse(int i) {
    return !Form1.scratchletter[i].empty() && Form1.scratchletter[i] != blankmark &&
           !Form1.scratchdigit[i].empty();
}

}  // namespace

std::vector<std::pair<std::string, std::string>> padentries() {
    std::vector<std::pair<std::string, std::string>> pad;
    for (int i = 1; i <= 10; ++i)
        if (inuse(i)) pad.emplace_back(Form1.scratchletter[i], Form1.scratchdigit[i]);
    std::stable_sort(pad.begin(), pad.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
    return pad;
}

void saypad() {
    hush();
    const std::string from = Form1.padnext;
    Form1.padnext = "";
    // Every letter with a digit or marks, in letter order, with its digit.
    std::map<std::string, std::string> letters;
    for (const auto& [letter, digit] : padentries()) letters[letter] = digit;
    for (const auto& entry : Form1.marks) letters.emplace(entry.first, "");
    if (letters.empty()) {
        newprize(apppath() + "\\sounds\\padempty.wav", 0, 0, 0);
        return;
    }
    // Delay 1 fires on the first tick step, as delay 0 would: every
    // letter then starts exactly one spacing after the one before.
    int start = 1, used = 0;
    for (auto it = letters.lower_bound(from); it != letters.end(); ++it) {
        const auto& [letter, digit] = *it;
        int entries = 1 + (digit.empty() ? 0 : 2) + markentries(letter);
        if (used + entries > pageentries) {
            Form1.padnext = letter;
            newprize(apppath() + "\\sounds\\padmore.wav", 0, 0, start);
            return;
        }
        used += entries;
        newprize(symbolclip(letter), 0, 0, start);
        int marksat = start + setgap;
        if (!digit.empty()) {
            newprize(apppath() + "\\sounds\\issetto.wav", 0, 0, start + setgap);
            newprize(apppath() + "\\sounds\\" + digit + ".wav", 0, 0, start + digitgap);
            marksat = start + marksgap;
        }
        start = schedulemarks(letter, marksat);
    }
}

void takeback() {
    hush();
    int slot = 0;
    for (int i = 1; i <= 10 && slot == 0; ++i)
        if (inuse(i) && Form1.scratchletter[i] == Form1.selectedletter) slot = i;
    if (slot == 0) {
        // Nothing to take back: a click says so, and nothing else changes.
        makesound(apppath() + "\\sounds\\click.wav", 0, 0);
        return;
    }
    Form1.scratchletter[slot] = "";
    Form1.scratchdigit[slot] = "";
    savescratch();

    newprize(symbolclip(Form1.selectedletter), 0, 0, 0);
    newprize(apppath() + "\\sounds\\iscleared.wav", 0, 0, 1 + setgap);
}

}  // namespace corvale
