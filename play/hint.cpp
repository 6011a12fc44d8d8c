// The hint: one next step for a player who is stuck, found by the row-by-row
// solver that reasons as a player does, and said in the game's words. Given
// the pad, it names a clue and a letter that clue settles; or, when a digit
// on the pad is wrong, a clue the pad breaks; or, when the rows settle
// nothing more without trial, that a guess is needed and which letter has
// the fewest candidates. A hint never sets a digit; the hints asked for are
// counted in the puzzle's marks file.
#include <bit>
#include <cstddef>

#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "puzzle/reader.h"
#include "solver/solver.h"
#include "speech/letters.h"
#include "state/game.h"

namespace corvale {

namespace {

// The puzzle in play as its file gave it.
Puzzle currentpuzzle() {
    Puzzle puzzle;
    puzzle.cluecount = Form1.cluecount;
    for (int i = 1; i <= Form1.cluecount; ++i) {
        const std::size_t r = static_cast<std::size_t>(i);
        puzzle.clueop[r] = Form1.clueop[i];
        puzzle.cluea[r] = Form1.cluea[i];
        puzzle.clueb[r] = Form1.clueb[i];
        puzzle.cluec[r] = Form1.cluec[i];
    }
    for (int d = 0; d <= 9; ++d) puzzle.answerkey[static_cast<std::size_t>(d)] = Form1.answerkey[d];
    return puzzle;
}

// The first clue the pad breaks: with every letter the pad does not give at
// its right digit, the first row that no longer holds; if the wrong digits
// break none that way (two of them swapped, say), the first row that holds
// a letter with a wrong digit.
int brokenclue(const solver::Model& model, const solver::Digits& right, const solver::Digits& pad) {
    solver::Digits withpad = right;
    std::vector<bool> wrong(model.symbols.size(), false);
    for (std::size_t s = 0; s < pad.size(); ++s) {
        if (pad[s] < 0) continue;
        withpad[s] = pad[s];
        wrong[s] = pad[s] != right[s];
    }
    for (std::size_t r = 0; r < model.rows.size(); ++r)
        if (!solver::holds(model.rows[r], withpad)) return static_cast<int>(r) + 1;
    for (std::size_t r = 0; r < model.rows.size(); ++r)
        for (const std::vector<int>& word : model.rows[r].words)
            for (const int s : word)
                if (wrong[static_cast<std::size_t>(s)]) return static_cast<int>(r) + 1;
    return 1;
}

}  // namespace

std::string hint() {
    const VoiceSettings& words = Module1.voice;
    solver::Model model;
    solver::Digits right;
    if (!solver::buildmodel(currentpuzzle(), model, right).empty()) return "";

    // The pad's digit of each symbol, -1 where it has none.
    solver::Digits pad(model.symbols.size(), -1);
    bool wrong = false;
    for (std::size_t s = 0; s < model.symbols.size(); ++s) {
        for (int i = 1; i <= 10; ++i) {
            const std::string& digit = Form1.scratchdigit[i];
            if (Form1.scratchletter[i] != std::string(1, model.symbols[s]) || digit.size() != 1)
                continue;
            pad[s] = digit[0] - '0';
            wrong = wrong || pad[s] != right[s];
        }
    }
    if (wrong) return withnumber(words.hintbreaks, brokenclue(model, right, pad));

    // Every row in turn, again and again, as a player goes over the clues:
    // the first row that leaves a letter off the pad one digit settles it.
    solver::Domains domains = solver::startdomains(model);
    for (std::size_t s = 0; s < pad.size(); ++s)
        if (pad[s] >= 0) domains[s] = 1u << pad[s];
    for (bool narrowed = true; narrowed;) {
        narrowed = false;
        for (std::size_t r = 0; r < model.rows.size(); ++r) {
            const solver::Domains before = domains;
            // The pad agrees with the answer, so no row can fail here.
            if (!solver::narrow(model.rows[r], domains)) return "";
            for (std::size_t s = 0; s < domains.size(); ++s)
                if (pad[s] < 0 && std::popcount(domains[s]) == 1 && std::popcount(before[s]) > 1)
                    return withletter(withnumber(words.hintsettles, static_cast<int>(r) + 1),
                                      std::string(1, model.symbols[s]));
            narrowed = narrowed || domains != before;
        }
    }

    // Stuck without trial: the open letter with fewest candidates, first in
    // letter order among equals.
    std::size_t open = domains.size();
    for (std::size_t s = 0; s < domains.size(); ++s) {
        if (pad[s] >= 0 || std::popcount(domains[s]) < 2) continue;
        if (open == domains.size() || std::popcount(domains[s]) < std::popcount(domains[open]) ||
            (std::popcount(domains[s]) == std::popcount(domains[open]) &&
             model.symbols[s] < model.symbols[open]))
            open = s;
    }
    if (open == domains.size()) return words.hintsolved;
    return withletter(withnumber(words.hintguess, std::popcount(domains[open])),
                      std::string(1, model.symbols[open]));
}

void sayhint() {
    Form1.schedcount = 0;
    const std::string text = hint();
    if (text.empty()) {
        // A puzzle the solver cannot take (a relation it does not know): no hint.
        makesound(apppath() + "\\sounds\\click.wav", 0, 0);
        return;
    }
    Form1.hintsused = Form1.hintsused + 1;
    savemarks();
    speak(spokenletters(text, Module1.voice.language), text);
}

}  // namespace corvale
