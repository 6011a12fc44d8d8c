// The corvale program: the SDL front end runs the game's start-up, shows the
// window, greets the player and then lives on keys and ticks. A failure
// anywhere is said aloud once sound is open, reported here, once, and ends
// the game.
#include <cstdio>
#include <exception>
#include <string>

#include "dist/release.h"
#include "files/files.h"
#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"
#include "shell/shell.h"

namespace {

const char* const usage =
    "usage: corvale [--desktop | --help | --version]\n"
    "Plays the puzzles in the working directory (puzz1.txt .. puzz4.txt), or else\n"
    "the ones that came with the game. Run from its game folder, the game keeps its\n"
    "scratch pads beside the program; installed, in $XDG_STATE_HOME/corvale\n"
    "(~/.local/state/corvale).\n"
    "  --desktop  work in the folder of the scratch pads instead of the working\n"
    "             directory, as the desktop menu starts it\n";

// A command line the game will not run: what is wrong with it, then how to
// write one.
void refuse(const std::string& problem) {
    corvale::report(problem);
    std::fputs(usage, stderr);
}

}  // namespace

int main(int argc, char** argv) {
    using namespace corvale;
    bool desktop = false;
    if (argc > 2) {
        refuse("too many arguments");
        return 2;
    }
    if (argc == 2) {
        std::string arg = argv[1];
        if (arg == "--version") return std::printf("corvale %s\n", release::version) < 0;
        if (arg == "--help") return std::fputs(usage, stdout) < 0;
        if (arg != "--desktop") {
            refuse("unknown argument " + shown(arg));
            return 2;
        }
        desktop = true;
    }
    SdlPlatform* front = nullptr;
    try {
        static SdlPlatform platform;
        front = &platform;
        if (desktop) platform.workinsavedir();
        attach(platform);
        Form_Load();
        platform.show();
        Form_Activate();
        for (;;) platform.waitevents();
    } catch (const std::exception& e) {
        if (!front) {
            report(e.what());
            return 1;
        }
        sayfailure(e.what());
        front->report(e.what());
        front->quit(1);
    }
}
