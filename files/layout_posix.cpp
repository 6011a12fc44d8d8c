// Telling the game folder from an installed game on a POSIX system, and
// naming the folders the installed game reads from and writes to. Kept apart
// from SDL and from the process's real environment so every rule can be tested
// on folders a test makes.
#include "files/layout.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/failure.h"

namespace corvale {

namespace {

bool isfile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// An absolute path from the environment, or "" when unset, empty or relative.
std::string absolutevar(const Environment& env, const char* name) {
    const char* value = env(name);
    if (!value || value[0] != '/') return "";
    return value;
}

std::string homefolder(const Environment& env) {
    std::string home = absolutevar(env, "HOME");
    if (!home.empty()) return home;
    // No usable HOME (a service manager may start programs without one):
    // the password database still knows the player's home folder.
    std::vector<char> buf(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buf.data(), buf.size(), &found) == 0 && found &&
        found->pw_dir && found->pw_dir[0] == '/')
        return found->pw_dir;
    fail("cannot find your home folder: HOME is not set and the user database has no entry");
}

std::string trimmed(std::string path) {
    while (path.size() > 1 && path.back() == '/') path.pop_back();
    return path;
}

bool endswith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// The installed folders, from where the program lies: voxlet's private
// folder names the shape and the prefix above it; a programs folder is one
// step below the prefix, and named games in the games shape.
void installedfolders(const std::string& programdir, Layout& layout) {
    struct Shape {
        std::string helper, data;
    };
    const Shape shapes[] = {{"/libexec/corvale", "/share/corvale"},
                            {"/lib/games/corvale", "/share/games/corvale"}};
    const std::string dir = trimmed(programdir);
    const std::filesystem::path bin(dir);
    const Shape* shape = bin.filename() == "games" ? &shapes[1] : &shapes[0];
    std::string prefix = bin.parent_path() == "/" ? "" : bin.parent_path().string();
    for (const Shape& helper : shapes)
        if (endswith(dir, helper.helper)) {
            shape = &helper;
            prefix = dir.substr(0, dir.size() - helper.helper.size());
        }
    layout.datadir = prefix + shape->data;
    layout.helperdir = prefix + shape->helper;
}

}  // namespace

Layout findlayout(const std::string& programdir, const Environment& env) {
    Layout layout;
    layout.programdir = programdir;
    std::string config = absolutevar(env, "XDG_CONFIG_HOME");
    if (isfile(programdir + "/soundchart.txt")) {
        // A game folder runs without a home folder; it then has no settings.
        if (config.empty() && !absolutevar(env, "HOME").empty())
            config = absolutevar(env, "HOME") + "/.config";
        if (!config.empty()) layout.settingsfile = trimmed(config) + "/corvale/settings.txt";
        layout.datadir = layout.savedir = layout.helperdir = programdir;
        layout.lockfile = programdir + "/corvale.lock";
        return layout;
    }
    layout.installed = true;
    installedfolders(programdir, layout);
    std::string state = absolutevar(env, "XDG_STATE_HOME");
    if (state.empty()) state = homefolder(env) + "/.local/state";
    layout.savedir = trimmed(state) + "/corvale";
    if (config.empty()) config = homefolder(env) + "/.config";
    layout.settingsfile = trimmed(config) + "/corvale/settings.txt";
    // Beside the pads it guards, never in the runtime folder: two copies of
    // one player started with different environments (one under su, one in
    // a desktop session) would each find their own lock and both write pads.
    layout.lockfile = layout.savedir + "/corvale.lock";
    return layout;
}

void makefolders(const std::string& path) {
    std::string built;
    std::size_t at = 0;
    while (at != std::string::npos) {
        std::size_t next = path.find('/', at + 1);
        built = path.substr(0, next);
        at = next;
        if (built.empty() || built == "/") continue;
        if (::mkdir(built.c_str(), 0700) != 0 && errno != EEXIST)
            fail("cannot create the folder " + built + ": " + std::strerror(errno));
    }
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        fail("cannot use the folder " + path + ": " + std::strerror(errno));
    if (!S_ISDIR(st.st_mode)) fail("cannot use the folder " + path + ": it is not a folder");
}

}  // namespace corvale
