// The pad keys of a puzzle: P reads the whole scratch pad aloud in letter
// order, Backspace takes back the digit of the letter heard last. Both speak
// through the delayed schedule, paced like the announcement of a digit, so
// the player hears the pad in the same rhythm as it was filled.
#include <algorithm>
#include <cctype>
#include <utility>
#include <vector>

#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "state/game.h"

namespace corvale {

namespace {

// Tick steps from a letter to "is set to" and to the digit, and from one
// assignment to the next: the gaps of a digit's announcement (8 and 12), and
// 12 again before the next letter.
constexpr int setgap = 8, digitgap = 20, assignmentgap = 32;

std::string symbolclip(const std::string& symbol) {
    std::string name = symbol;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return apppath() + "\\sounds\\" + name + ".wav";
}

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
    Form1.schedcount = 0;
    std::vector<std::pair<std::string, std::string>> pad = padentries();
    if (pad.empty()) {
        newprize(apppath() + "\\sounds\\padempty.wav", 0, 0, 0);
        return;
    }
    // Delay 1 fires on the first tick step, as delay 0 would: every
    // assignment then starts exactly one spacing after the one before.
    int start = 1;
    for (const auto& [letter, digit] : pad) {
        newprize(symbolclip(letter), 0, 0, start);
        newprize(apppath() + "\\sounds\\issetto.wav", 0, 0, start + setgap);
        newprize(apppath() + "\\sounds\\" + digit + ".wav", 0, 0, start + digitgap);
        start += assignmentgap;
    }
}

void takeback() {
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

    Form1.schedcount = 0;
    newprize(symbolclip(Form1.selectedletter), 0, 0, 0);
    newprize(apppath() + "\\sounds\\iscleared.wav", 0, 0, 1 + setgap);
}

}  // namespace corvale
