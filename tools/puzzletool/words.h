// The relation words of a language for corvale-puzzle's sentences, taken
// from that language's clip table. The tool alone reads clip tables, so
// this stays out of the solver library the game links.
#pragma once

#include <string>

#include "solver/solver.h"

namespace corvale::solver {

// The relation words of a clip table (its rows times, minus, islessthan and
// equals). Returns "" or why the table gives none fit for a puzzle file.
std::string wordsfromtable(const std::string& tablefile, Words& words);

}  // namespace corvale::solver
