// The test rig: the game's real code on the fake front end. Each test gets a
// fresh Form1 and Module1, a program directory and a working directory of
// its own, and reads as a script of keys, ticks and expected sounds.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "frontend/fake/fake_platform.h"
#include "platform/keys.h"
#include "shell/shell.h"
#include "state/game.h"
#include "tests/support/tempfolder.h"

namespace corvale::testing {

namespace fs = std::filesystem;

// The invented two-row puzzle: AB * C = DE, C < D, with A=1 E=2 B=3 C=4 D=5.
inline const char* const twopuzzle =
    "2\r\n\"*\"\r\nAB__\r\nC___\r\nDE__\r\nA B times C equals D E\r\n"
    "\"<\"\r\nC___\r\nD___\r\n____\r\nC is less than D\r\n"
    "\"*\"\r\nA\r\nE\r\nB\r\nC\r\nD\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n\"*\"\r\n";

// A scratch file as the game writes it: the given lines, then empty ones up
// to twenty, each ended by CR LF.
inline std::string scratchtext(std::vector<std::string> lines) {
    lines.resize(20);
    std::string text;
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

inline void writefile(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string readfile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class Rig : public ::testing::Test {
  protected:
    testsupport::TempFolder temp;
    fs::path root = temp.root, programdir, workdir;
    FakePlatform os;
    fs::path oldcwd = fs::current_path();

    Rig() {
        programdir = root / "game";
        workdir = root / "work";
        fs::create_directories(programdir);
        fs::create_directories(workdir);
        fs::current_path(workdir);
        os.datadir = os.savedir = programdir.string();
        Form1 = Form{};
        Module1 = Module{};
        attach(os);
        writefile(programdir / "soundchart.txt", "");
    }
    ~Rig() override {
        Form1 = Form{};
        fs::current_path(oldcwd);
    }

    // Form_Load and Form_Activate, as the front end runs them.
    void start() {
        try {
            Form_Load();
            Form_Activate();
        } catch (const ProgramEnded&) {
        }
    }
    // A fresh run of the game on the same folders: the state a new process
    // starts with, then start-up and its first tick.
    void rerun() {
        Form1 = Form{};
        Module1 = Module{};
        attach(os);
        start();
        ticks(1);
    }
    void key(int code, int mask = 0) { os.press(code, mask), os.run(0); }
    void keys(std::initializer_list<int> codes) {
        for (int code : codes) key(code);
    }
    void ticks(int n) { os.ticks(n); }
    std::string dir() const { return programdir.string(); }

    // Plays from this point on.
    std::size_t mark() const { return os.sounds.size(); }
    std::vector<std::string> playssince(std::size_t from) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < os.sounds.size(); ++i)
            if (os.sounds[i].op == "play")
                out.push_back(std::to_string(os.sounds[i].channel) + ": " + os.sounds[i].clip);
        return out;
    }
    // Plays from `from` on with their time in ticks after `origin` ms.
    std::vector<std::string> timedsince(std::size_t from, long origin) const {
        std::vector<std::string> out;
        for (std::size_t i = from; i < os.sounds.size(); ++i)
            if (os.sounds[i].op == "play")
                out.push_back(std::to_string((os.sounds[i].time - origin) / 50) + " " +
                              os.sounds[i].clip);
        return out;
    }
    // Chooses puzzle n from a fresh main menu and lets its load finish.
    void choose(int n) {
        for (int i = 0; i <= n; ++i) key(keyTab);
        key(keyEnter);
        ticks(20);
    }
};

}  // namespace corvale::testing
