// Loading a level: the puzzle file from the working directory, or else the
// one shipped in the data folder, and the player's saved scratch pad from the
// save folder. Saving the pad after
// every assignment is here too, so both directions of the file live together.
#include "files/files.h"
#include "puzzle/puzzle.h"
#include "puzzle/reader.h"
#include "state/game.h"

namespace corvale {

namespace {

std::string scratchpath() {
    return Form1.os->savedir + "\\scratch" + std::to_string(Form1.level) + ".txt";
}

// A pad the game cannot read (edited by hand, cut short, written by another
// tool) must neither lock the player out of the puzzle nor be lost: it is
// renamed beside itself under a free name, reported, and the puzzle starts
// with an empty pad.
void setaside(const std::string& scratch, const std::string& why) {
    std::string aside = scratch + ".unreadable";
    for (int n = 2; Form1.os->exists(aside); ++n) {
        if (n > 999) fail("cannot set aside the unreadable " + hostpath(scratch) + ": " + why);
        aside = scratch + ".unreadable." + std::to_string(n);
    }
    Form1.os->renamefile(scratch, aside);
    Form1.os->note(why + "; the file is kept as " + hostpath(aside) +
                   " and the puzzle starts with an empty pad");
}

}  // namespace

void newgame() {
    Module1.menulevel = 0;
    Module1.menuitem = 0;
    Form1.clueindex = 1;
    // A symbol heard in another puzzle is no symbol of this one.
    Form1.selectedletter = "";

    // Both files are read whole before anything changes, so a bad file
    // leaves the game state as it was when the failure is reported.
    // A player's own puzzle set in the working directory comes first; the
    // shipped puzzles let a game started from anywhere (a desktop menu
    // starts it in the home folder) still play.
    std::string bare = "puzz" + std::to_string(Form1.level) + ".txt";
    std::string name = bare;
    if (!Form1.os->exists(name)) name = apppath() + "\\" + bare;
    if (!Form1.os->exists(name))
        fail("cannot open the puzzle file " + bare +
             ": it is neither in the working directory nor in " + hostpath(apppath()));
    Puzzle puzzle;
    std::string error = readpuzzle(Form1.os->readfile(name), hostpath(name), puzzle);
    if (!error.empty()) fail(error);

    Scratch pad;
    std::string scratch = scratchpath();
    // A save cut short by a kill leaves its temporary file; the pad itself
    // is whole (the old one or the new one), so the leftover can go.
    Form1.os->removefile(scratch + ".new");
    bool aside = false;
    if (Form1.os->exists(scratch)) {
        error = readscratch(Form1.os->readfile(scratch), hostpath(scratch), pad);
        if (!error.empty()) {
            setaside(scratch, error);
            pad = Scratch{};
            aside = true;
        }
    }
    Form1.gamenumber = Form1.gamenumber + 1;

    Form1.cluecount = puzzle.cluecount;
    for (int i = 1; i <= puzzle.cluecount; ++i) {
        Form1.clueop[i] = puzzle.clueop[static_cast<std::size_t>(i)];
        Form1.cluea[i] = puzzle.cluea[static_cast<std::size_t>(i)];
        Form1.clueb[i] = puzzle.clueb[static_cast<std::size_t>(i)];
        Form1.cluec[i] = puzzle.cluec[static_cast<std::size_t>(i)];
        Form1.cluetext[i] = puzzle.cluetext[static_cast<std::size_t>(i)];
    }
    for (int d = 0; d <= 9; ++d) Form1.answerkey[d] = puzzle.answerkey[static_cast<std::size_t>(d)];
    for (int i = 1; i <= 10; ++i) {
        Form1.scratchletter[i] = pad.scratchletter[static_cast<std::size_t>(i)];
        Form1.scratchdigit[i] = pad.scratchdigit[static_cast<std::size_t>(i)];
    }

    // Heard after the announcement that the puzzle has started.
    if (aside) Form1.List1.push_back(apppath() + "\\sounds\\padaside.wav");
    hold(1);
}

void savescratch() {
    Scratch pad;
    for (int i = 1; i <= 10; ++i) {
        pad.scratchletter[static_cast<std::size_t>(i)] = Form1.scratchletter[i];
        pad.scratchdigit[static_cast<std::size_t>(i)] = Form1.scratchdigit[i];
    }
    Form1.os->writefile(scratchpath(), writescratch(pad));
}

}  // namespace corvale
