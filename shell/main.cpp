// The corvale program: the SDL front end runs the game's start-up, shows the
// window, greets the player and then lives on keys and ticks. A failure
// anywhere is reported here, once, and ends the game.
#include <cstdio>
#include <exception>
#include <string>

#include "platform/sdl_platform.h"
#include "shell/game.h"

namespace {

const char* const usage =
    "usage: corvale [--help | --version]\n"
    "Start the game from the folder that holds the puzzles\n"
    "(puzz1.txt .. puzz4.txt); its clips and chart are read from beside the program.\n";

}  // namespace

int main(int argc, char** argv) {
    using namespace corvale;
    if (argc > 1) {
        std::string arg = argv[1];
        if (arg == "--version") return std::puts("corvale 0.2 beta") < 0;
        if (arg == "--help") return std::fputs(usage, stdout) < 0;
        std::fprintf(stderr, "corvale: unknown argument \"%s\"\n%s", argv[1], usage);
        return 2;
    }
    SdlPlatform* front = nullptr;
    try {
        static SdlPlatform platform;
        front = &platform;
        platform.handlers.keydown = Form_KeyDown;
        platform.handlers.timer = ontimer;
        Form1.os = &platform;
        Form_Load();
        platform.show();
        Form_Activate();
        for (;;) platform.waitevents();
    } catch (const std::exception& e) {
        if (!front) {
            std::fprintf(stderr, "corvale: %s\n", e.what());
            return 1;
        }
        front->report(e.what());
        front->quit(1);
    }
}
