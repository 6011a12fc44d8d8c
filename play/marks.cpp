// Pencil marks: the digits a letter may still take, noted by the player as a
// sighted player notes them in a margin. Shift with a digit toggles one for
// the letter heard last, M reads that letter's marks, and P reads them with
// the pad. Every change is saved at once. The marks are the player's notes
// only: they never decide a digit and the answer check never sees them.
#include <algorithm>
#include <cctype>

#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "state/game.h"

namespace corvale {

namespace {

// A letter scheduled at delay 0 fires on the first tick step, as delay 1
// would, so what follows it comes at delay 9: 8 ticks later, as "is set to"
// follows the letter of a digit's announcement. From "may be" to the first
// digit 12 ticks, as from "is set to" to its digit; from one marked digit to
// the next 7, the spacing of letters in a clue.
constexpr int afterletter = 9, firstmarkgap = 12, markgap = 7;
// From the last marked digit, or from "no marks", to whatever follows: the
// pause between two assignments when P reads the pad.
constexpr int endgap = 12, nomarksgap = 14;

// A letter that can carry marks has been heard: not a blank position, not
// nothing. Otherwise a click says the key has nothing to work on.
bool markable() {
    if (!Form1.selectedletter.empty() && Form1.selectedletter != blankmark) return true;
    hush();
    makesound(apppath() + "\\sounds\\click.wav", 0, 0);
    return false;
}

}  // namespace

std::string symbolclip(const std::string& symbol) {
    std::string name = symbol;
    for (char& c : name) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return apppath() + "\\sounds\\" + name + ".wav";
}

int markentries(const std::string& letter) {
    auto found = Form1.marks.find(letter);
    return found == Form1.marks.end() ? 1 : 1 + static_cast<int>(found->second.size());
}

int schedulemarks(const std::string& letter, int at) {
    auto found = Form1.marks.find(letter);
    if (found == Form1.marks.end()) {
        newprize(apppath() + "\\sounds\\nomarks.wav", 0, 0, at);
        return at + nomarksgap;
    }
    newprize(apppath() + "\\sounds\\maybe.wav", 0, 0, at);
    at += firstmarkgap;
    for (char d : found->second) {
        newprize(apppath() + "\\sounds\\" + std::string(1, d) + ".wav", 0, 0, at);
        at += markgap;
    }
    return at - markgap + endgap;
}

void togglemark(int d) {
    if (!markable()) return;
    const std::string letter = Form1.selectedletter;
    const char digit = static_cast<char>('0' + d);
    std::string digits = Form1.marks[letter];
    const bool taken = digits.find(digit) != std::string::npos;
    if (taken)
        digits.erase(digits.find(digit), 1);
    else
        digits.insert(std::lower_bound(digits.begin(), digits.end(), digit), digit);
    if (digits.empty())
        Form1.marks.erase(letter);
    else
        Form1.marks[letter] = digits;
    savemarks();

    // "B may be 5", or "B: 5 taken off".
    hush();
    const std::string digitclip = apppath() + "\\sounds\\" + std::to_string(d) + ".wav";
    newprize(symbolclip(letter), 0, 0, 0);
    if (taken) {
        newprize(digitclip, 0, 0, afterletter);
        newprize(apppath() + "\\sounds\\takenoff.wav", 0, 0, afterletter + markgap);
    } else {
        newprize(apppath() + "\\sounds\\maybe.wav", 0, 0, afterletter);
        newprize(digitclip, 0, 0, afterletter + firstmarkgap);
    }
}

void saymarks() {
    if (!markable()) return;
    hush();
    newprize(symbolclip(Form1.selectedletter), 0, 0, 0);
    schedulemarks(Form1.selectedletter, afterletter);
}

}  // namespace corvale
