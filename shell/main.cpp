// The corvale program: the SDL front end runs the game's start-up, shows the
// window, greets the player and then lives on keys and ticks. A failure
// anywhere is reported here, once, and ends the game.
#include <exception>

#include "platform/sdl_platform.h"
#include "shell/game.h"

int main() {
    using namespace corvale;
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
