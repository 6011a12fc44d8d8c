// Where the game's files lie. Corvale is laid out on disk in one of two ways.
// A game folder (the build's game/, a copied folder, a portable zip) holds
// everything beside the program, as the game has always had it. An installed
// game is a tree under a prefix in one of two shapes, told apart by the name
// of the folder the program lies in:
//   prefix/bin     prefix/share/corvale        prefix/libexec/corvale
//   prefix/games   prefix/share/games/corvale  prefix/lib/games/corvale
// (programs, data, and the private folder of voxlet, which no player runs by
// hand). Only these relations are known, never the prefix, so a tree moved
// or unpacked elsewhere still works; the player's own files then go where the
// XDG base directory rules put them, and nothing is ever written under the
// install. The game tells a game folder by what lies beside the program.
#pragma once

#include <functional>
#include <string>

namespace corvale {

struct Layout {
    bool installed = false;
    std::string programdir;    // the running program's folder
    std::string helperdir;     // where voxlet lies
    std::string datadir;       // the clips, their chart and the shipped puzzles
    std::string savedir;       // the scratch pads
    std::string lockfile;      // the single-instance lock, in the save folder
    std::string settingsfile;  // the player's settings.txt; "" when there is no home
};

// Reads an environment variable: nullptr when it is unset.
using Environment = std::function<const char*(const char*)>;

// The layout of the program whose folder is `programdir`: the game, a tool
// beside it, or voxlet in its private folder. A game folder when the clip
// chart (soundchart.txt) lies beside the program; installed otherwise, in the
// games shape when the program lies in a folder named games or in
// lib/games/corvale, else in the bin shape. Installed, the scratch pads go to
// $XDG_STATE_HOME/corvale (~/.local/state/corvale), and the lock with them
// in either layout, whatever XDG_RUNTIME_DIR says. The player's settings are
// $XDG_CONFIG_HOME/corvale/settings.txt (~/.config/corvale/settings.txt) in
// either layout: they are the player's, whichever copy of the game they run. A variable
// holding a relative path counts as unset, as the XDG rules ask. Failure when
// the player's home folder cannot be found.
Layout findlayout(const std::string& programdir, const Environment& env);

// Creates a folder and its missing parents, each new one private to the
// player. Failure naming the folder and the reason.
void makefolders(const std::string& path);

}  // namespace corvale
