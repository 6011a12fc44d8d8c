// Loading a level: the puzzle file from the working directory, or else the
// one shipped in the data folder (or made for a new puzzle's level), and the player's saved scratch
// pad and marks from the save folder. Saving the pad after every assignment, and the marks after
// every change, is here too, so both directions of each file live together.
#include "files/files.h"
#include "platform/failure.h"
#include "puzzle/newpuzzle.h"
#include "puzzle/puzzle.h"
#include "puzzle/reader.h"
#include "state/game.h"

namespace corvale {

// A file edited by hand, cut short, written by another tool or another
// user's must neither lock the player out nor be lost.
void setaside(const std::string& file, const std::string& why, const std::string& then) {
    std::string aside = file + ".unreadable";
    for (int n = 2; Form1.os->exists(aside); ++n) {
        if (n > 999) fail("cannot set aside the unreadable " + hostpath(file) + ": " + why);
        aside = file + ".unreadable." + std::to_string(n);
    }
    Form1.os->renamefile(file, aside);
    Form1.os->note(why + "; the file is kept as " + hostpath(aside) + " and " + then);
}

namespace {

std::string scratchpath() {
    return Form1.os->savedir + "\\scratch" + std::to_string(Form1.level) + ".txt";
}

// The marks live in a file of their own beside the pad, so the pad's format
// stays as every earlier version wrote it.
std::string markspath() {
    return Form1.os->savedir + "\\marks" + std::to_string(Form1.level) + ".txt";
}

// Reads a saved file of the level with `reader` into `into`; a save cut
// short by a kill leaves its temporary file, which can go (the file itself
// is whole, the old one or the new one). True when an unreadable file was
// set aside.
template <typename Saved, typename Reader>
bool readsaved(const std::string& file, Reader reader, Saved& into, const std::string& without) {
    Form1.os->removefile(file + ".new");
    if (!Form1.os->exists(file)) return false;
    std::string error;
    // A file the game cannot open or read (another user's, too large to be
    // a save, not a plain file) is as unusable as one it cannot parse, and
    // goes the same way: set aside, not the game ended each time the
    // puzzle is chosen.
    try {
        const std::string text = Form1.os->readfile(file);
        error = reader(text, hostpath(file), into);
    } catch (const Failure& unreadable) {
        error = unreadable.what();
    }
    if (error.empty()) return false;
    setaside(file, error, "the puzzle starts with " + without);
    into = Saved{};
    return true;
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
    // starts it in the home folder) still play. A new puzzle's level plays
    // the one made for it, or makes one.
    std::string bare = "puzz" + std::to_string(Form1.level) + ".txt";
    std::string name = bare;
    if (!Form1.os->exists(name) && isnewlevel(Form1.level)) {
        name = newpuzzlefile(Form1.level);
        if (!Form1.os->exists(name)) makepuzzle(Form1.level);
    }
    if (!Form1.os->exists(name)) name = apppath() + "\\" + bare;
    if (!Form1.os->exists(name))
        fail("cannot open the puzzle file " + bare +
             ": it is neither in the working directory nor in " + hostpath(apppath()));
    Puzzle puzzle;
    std::string error = readpuzzle(Form1.os->readfile(name), hostpath(name), puzzle);
    // A made puzzle the game cannot read would lock its level for good:
    // it is set aside like a pad, and a fresh one is made.
    if (!error.empty() && isnewlevel(Form1.level) && name == newpuzzlefile(Form1.level)) {
        setaside(name, error, "the puzzle starts with a fresh puzzle in its place");
        makepuzzle(Form1.level);
        error = readpuzzle(Form1.os->readfile(name), hostpath(name), puzzle);
    }
    if (!error.empty()) fail(error);

    Scratch pad;
    bool padaside = readsaved(scratchpath(), readscratch, pad, "an empty pad");
    Marks marks;
    bool marksaside = readsaved(markspath(), readmarks, marks, "no marks");
    Form1.gamenumber = Form1.gamenumber + 1;
    Form1.puzzlefile = name;

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
    Form1.marks = marks.marks;
    Form1.hintsused = marks.hintsused;

    // Heard after the announcement that the puzzle has started.
    if (padaside) Form1.List1.push_back(apppath() + "\\sounds\\padaside.wav");
    if (marksaside) Form1.List1.push_back(apppath() + "\\sounds\\marksaside.wav");
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

void savemarks() {
    Marks marks;
    marks.marks = Form1.marks;
    marks.hintsused = Form1.hintsused;
    Form1.os->writefile(markspath(), writemarks(marks));
}

}  // namespace corvale
