// Where the game's files lie. Corvale is laid out on disk in one of two ways.
// A game folder (the build's game/, a copied folder, a portable zip) holds
// everything beside the program, as the game has always had it. An installed
// game keeps its programs in a bin folder and its data in a share folder that
// is found relative to the program, so an installed tree moved or unpacked
// elsewhere still works; the player's own files then go where the XDG base
// directory rules put them, and nothing is ever written under the install.
// The game tells the two apart by what lies beside the program.
#pragma once

#include <functional>
#include <string>

namespace corvale {

struct Layout {
    bool installed = false;
    std::string programdir;  // the running program's folder: voxlet lies beside it
    std::string datadir;     // the clips, their chart and the shipped puzzles
    std::string savedir;     // the scratch pads
    std::string lockfile;    // the single-instance lock
};

// Reads an environment variable: nullptr when it is unset.
using Environment = std::function<const char*(const char*)>;

// The layout of the program whose folder is `programdir`. A game folder when
// the clip chart (soundchart.txt) lies beside the program; installed
// otherwise, with the data `datafrombin` away from the program's folder (for
// example "../share/corvale"). Installed, the scratch pads go to
// $XDG_STATE_HOME/corvale (~/.local/state/corvale) and the lock to
// $XDG_RUNTIME_DIR, or to the save folder where that is unset. A variable
// holding a relative path counts as unset, as the XDG rules ask. Failure when
// the player's home folder cannot be found.
Layout findlayout(const std::string& programdir, const std::string& datafrombin,
                  const Environment& env);

// Creates a folder and its missing parents, each new one private to the
// player. Failure naming the folder and the reason.
void makefolders(const std::string& path);

}  // namespace corvale
