// New puzzles made in the game: levels 5 to 7 are a new easy, medium and
// hard puzzle. The one made for a level is kept in the save folder as an
// ordinary puzzle file (puzz5.txt to puzz7.txt) beside its pad, so the
// player can leave and come back to it; a win forgets it, and the next
// choice of that level makes a fresh one. Making one blocks the game, so
// its time is bounded by a budget of the generator's draws (the game reads
// no clock), and a level whose making can be heard as a wait says so first.
#include "puzzle/newpuzzle.h"

#include "audio/audio.h"
#include "files/files.h"
#include "puzzle/reader.h"
#include "solver/solver.h"
#include "state/game.h"

namespace corvale {

namespace {

std::string savedfile(const std::string& kind, int level) {
    return Form1.os->savedir + "\\" + kind + std::to_string(level) + ".txt";
}

// Levels whose making can pass 300 ms (bench/newpuzzle_bench: medium took
// 200 ms at p99 on a loaded machine, hard 525 ms): the player hears that a
// puzzle is being made instead of silence. Easy takes 36 ms at most.
bool slowlevel(int level) {
    return level >= firstnewlevel + 1;
}

}  // namespace

bool isnewlevel(int level) {
    return level >= firstnewlevel && level < firstnewlevel + solver::kLevels;
}

std::string newpuzzlefile(int level) {
    return savedfile("puzz", level);
}

void makepuzzle(int level) {
    if (slowlevel(level)) makesound(apppath() + "\\sounds\\making.wav", 0, 0);
    solver::Words words{Module1.voice.times, Module1.voice.minus, Module1.voice.islessthan,
                        Module1.voice.equals};
    // Each puzzle made in a run, and each run, draws from a seed of its own.
    std::uint64_t seed = Form1.os->seed ^ (static_cast<std::uint64_t>(Form1.gamenumber) << 32) ^
                         static_cast<std::uint64_t>(level);
    solver::Made made;
    std::string error =
        solver::makelevel(level - firstnewlevel + 1, seed, solver::kMakeBudget, words, made);
    if (!error.empty()) fail("cannot make a new puzzle: " + error);
    // The pad and marks of the puzzle before are no help with this one;
    // they go first, so no moment has the new puzzle beside the old pad.
    Form1.os->removefile(savedfile("scratch", level));
    Form1.os->removefile(savedfile("marks", level));
    Form1.os->writefile(newpuzzlefile(level), made.text);
}

void forgetpuzzle() {
    if (isnewlevel(Form1.level) && Form1.puzzlefile == newpuzzlefile(Form1.level))
        Form1.os->removefile(Form1.puzzlefile);
}

}  // namespace corvale
