// Telling a game folder from an installed game, and the folders each uses.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <vector>

#include "files/layout.h"
#include "platform/failure.h"
#include "tests/support/tempfolder.h"

namespace corvale {
namespace {

namespace fs = std::filesystem;

#ifndef _WIN32
struct LayoutCase {
    std::string name;
    std::string bin;  // the program's folder, under the test's root
    std::map<std::string, std::string> env;
    bool chartbesideprogram;
    // Expected, "@" standing for the test's root.
    bool installed;
    std::string datadir, helperdir, savedir, lockfile;
    std::string settingsfile;
};

void PrintTo(const LayoutCase& c, std::ostream* out) {
    *out << c.name;
}

class Layouts : public ::testing::TestWithParam<LayoutCase> {
  protected:
    testsupport::TempFolder temp{"layout"};
    fs::path root = temp.root;
    std::string at(const std::string& path) const {
        std::string out = path;
        for (std::size_t p; (p = out.find('@')) != std::string::npos;)
            out.replace(p, 1, root.string());
        return out;
    }
};

TEST_P(Layouts, NameTheFoldersOfEachLayout) {
    const LayoutCase& c = GetParam();
    fs::path bin = root / c.bin;
    fs::create_directories(bin);
    if (c.chartbesideprogram) std::ofstream(bin / "soundchart.txt") << "";
    std::map<std::string, std::string> env;
    for (const auto& [k, v] : c.env) env[k] = at(v);
    Layout got = findlayout(bin.string(), [&](const char* name) -> const char* {
        auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
    EXPECT_EQ(got.installed, c.installed);
    EXPECT_EQ(got.programdir, bin.string());
    EXPECT_EQ(got.datadir, at(c.datadir));
    EXPECT_EQ(got.helperdir, at(c.helperdir));
    EXPECT_EQ(got.savedir, at(c.savedir));
    EXPECT_EQ(got.lockfile, at(c.lockfile));
    EXPECT_EQ(got.settingsfile, at(c.settingsfile));
}

const std::map<std::string, std::string> xdg = {{"HOME", "@/home"},
                                                {"XDG_STATE_HOME", "@/state/"},
                                                {"XDG_RUNTIME_DIR", "@/run"},
                                                {"XDG_CONFIG_HOME", "@/config/"}};

INSTANTIATE_TEST_SUITE_P(
    Files, Layouts,
    ::testing::Values(
        // Everything beside the program, whatever the environment says.
        LayoutCase{"gamefolder", "game", xdg, true, false, "@/game", "@/game", "@/game",
                   "@/game/corvale.lock", "@/config/corvale/settings.txt"},
        // A game folder started without a home folder has no settings.
        LayoutCase{"gamefolderhomeless",
                   "game",
                   {},
                   true,
                   false,
                   "@/game",
                   "@/game",
                   "@/game",
                   "@/game/corvale.lock",
                   ""},
        // The two installed shapes, seen from the game and from voxlet.
        LayoutCase{"installed", "usr/bin", xdg, false, true, "@/usr/share/corvale",
                   "@/usr/libexec/corvale", "@/state/corvale", "@/state/corvale/corvale.lock",
                   "@/config/corvale/settings.txt"},
        LayoutCase{"helper", "usr/libexec/corvale", xdg, false, true, "@/usr/share/corvale",
                   "@/usr/libexec/corvale", "@/state/corvale", "@/state/corvale/corvale.lock",
                   "@/config/corvale/settings.txt"},
        LayoutCase{"gamesbin", "usr/games/", xdg, false, true, "@/usr/share/games/corvale",
                   "@/usr/lib/games/corvale", "@/state/corvale", "@/state/corvale/corvale.lock",
                   "@/config/corvale/settings.txt"},
        LayoutCase{"gameshelper", "usr/lib/games/corvale", xdg, false, true,
                   "@/usr/share/games/corvale", "@/usr/lib/games/corvale", "@/state/corvale",
                   "@/state/corvale/corvale.lock", "@/config/corvale/settings.txt"},
        // The XDG defaults: state under the home folder, the lock with it.
        LayoutCase{"xdgunset",
                   "p/bin",
                   {{"HOME", "@/home"}},
                   false,
                   true,
                   "@/p/share/corvale",
                   "@/p/libexec/corvale",
                   "@/home/.local/state/corvale",
                   "@/home/.local/state/corvale/corvale.lock",
                   "@/home/.config/corvale/settings.txt"},
        // Relative paths in the XDG variables are ignored, as the rules ask.
        LayoutCase{"xdgrelative",
                   "p/bin",
                   {{"HOME", "@/home"},
                    {"XDG_STATE_HOME", "state"},
                    {"XDG_RUNTIME_DIR", ""},
                    {"XDG_CONFIG_HOME", "config"}},
                   false,
                   true,
                   "@/p/share/corvale",
                   "@/p/libexec/corvale",
                   "@/home/.local/state/corvale",
                   "@/home/.local/state/corvale/corvale.lock",
                   "@/home/.config/corvale/settings.txt"}));
#else
// Windows: the data beside the program wherever it was unpacked, the
// player's own files in the local application data folder, found under the
// profile when LOCALAPPDATA is missing or relative.
TEST(WindowsLayout, KeepsThePlayersFilesInLocalAppData) {
    const std::string bin = "C:\\Games\\Corvale";
    struct Case {
        std::map<std::string, std::string> env;
        std::string savedir;  // "" when the layout must fail
    };
    const std::vector<Case> cases = {
        {{{"LOCALAPPDATA", "C:\\Users\\ann\\AppData\\Local\\"}, {"USERPROFILE", "D:\\ann"}},
         "C:\\Users\\ann\\AppData\\Local\\Corvale"},
        {{{"USERPROFILE", "D:\\ann"}}, "D:\\ann\\AppData\\Local\\Corvale"},
        {{{"LOCALAPPDATA", "AppData"}, {"USERPROFILE", "D:\\ann"}},
         "D:\\ann\\AppData\\Local\\Corvale"},
        {{}, ""}};
    for (const Case& c : cases) {
        auto env = [&](const char* name) -> const char* {
            auto it = c.env.find(name);
            return it == c.env.end() ? nullptr : it->second.c_str();
        };
        if (c.savedir.empty()) {
            EXPECT_THROW(findlayout(bin, env), Failure);
            continue;
        }
        Layout got = findlayout(bin, env);
        EXPECT_EQ(got.datadir, bin);
        EXPECT_EQ(got.helperdir, bin);
        EXPECT_EQ(got.savedir, c.savedir);
        EXPECT_EQ(got.lockfile, c.savedir + "\\corvale.lock");
        EXPECT_EQ(got.settingsfile, c.savedir + "\\settings.txt");
        EXPECT_TRUE(got.installed);  // the save folder is made at start
    }
}
#endif

TEST(Folders, AreMadeWithTheirParentsPrivateToThePlayer) {
    const testsupport::TempFolder temp{"folders"};
    const fs::path& root = temp.root;
    fs::path deep = root / "state" / "corvale";
    makefolders(deep.string());
    makefolders(deep.string());  // already there: fine
#ifdef _WIN32
    EXPECT_TRUE(fs::is_directory(deep));  // private by the profile's own rights
#else
    struct stat st {};
    ASSERT_EQ(::stat(deep.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
#endif

    // A file where a folder should be: named in the failure.
    std::ofstream(root / "file") << "";
    try {
        makefolders((root / "file" / "corvale").string());
        FAIL();
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find((root / "file").string()), std::string::npos)
            << f.what();
    }
}

}  // namespace
}  // namespace corvale
