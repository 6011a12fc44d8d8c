// Where the game's files lie on Windows. The game is unpacked from its zip
// into a folder of the player's choosing and run from there: the programs,
// clips, chart and puzzles stay beside corvale.exe, which may lie where the
// player cannot write (Program Files). The player's own files, the scratch
// pads, the lock and settings.txt, go to %LOCALAPPDATA%\Corvale, the folder
// Windows keeps for a program's data of one player on one machine.
#include <windows.h>

#include <filesystem>
#include <system_error>

#include "files/layout.h"
#include "files/wide.h"
#include "platform/failure.h"

namespace corvale {

namespace {

namespace fs = std::filesystem;

// An absolute path from the environment, or "" when unset, empty or relative.
std::string absolutevar(const Environment& env, const char* name) {
    const char* value = env(name);
    if (!value || !*value || !fs::path(widen(value)).is_absolute()) return "";
    return value;
}

std::string withoutslash(std::string path) {
    while (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

}  // namespace

Layout findlayout(const std::string& programdir, const Environment& env) {
    Layout layout;
    layout.programdir = programdir;
    layout.datadir = layout.helperdir = programdir;
    std::string appdata = absolutevar(env, "LOCALAPPDATA");
    // Without LOCALAPPDATA (a program started with an emptied environment)
    // the same folder is found under the player's profile.
    if (appdata.empty() && !absolutevar(env, "USERPROFILE").empty())
        appdata = withoutslash(absolutevar(env, "USERPROFILE")) + "\\AppData\\Local";
    if (appdata.empty())
        fail("cannot find the folder for your saves: neither LOCALAPPDATA nor USERPROFILE is set");
    layout.savedir = withoutslash(appdata) + "\\Corvale";
    layout.lockfile = layout.savedir + "\\corvale.lock";
    layout.settingsfile = layout.savedir + "\\settings.txt";
    // Kept apart from the program as an installed game's are, so the game
    // makes the folder when it starts.
    layout.installed = true;
    return layout;
}

void makefolders(const std::string& path) {
    const fs::path folder(widen(path));
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) fail("cannot create the folder " + path + ": " + error.message());
    if (!fs::is_directory(folder, error))
        fail("cannot use the folder " + path + ": it is not a folder");
}

}  // namespace corvale
