// Ending the game on Windows: a console's Ctrl+C, Ctrl+Break or close, and
// the logoff and shutdown notices, reach the game through a console control
// handler, which Windows runs on a thread of its own. While the main thread
// waits inside SDL the request becomes SDL's quit event; while the voice
// speaks it is kept until the sentence is stopped; anywhere else the game
// ends at once. SDL's message boxes are shown in the game's own process, so
// nothing else needs ending with it.
#include <SDL.h>
#include <windows.h>

#include <atomic>
#include <filesystem>
#include <system_error>

#include "files/wide.h"
#include "frontend/sdl/sdl_platform.h"
#include "frontend/sdl/stopping.h"
#include "platform/failure.h"

namespace corvale {

namespace {

std::atomic<bool> waitinginsdl{false}, voicespeaking{false}, stoprequest{false};

BOOL WINAPI onstop(DWORD) {
    if (waitinginsdl) {
        SDL_Event quit{};
        quit.type = SDL_QUIT;
        SDL_PushEvent(&quit);
        return TRUE;
    }
    if (voicespeaking) {
        stoprequest = true;
        return TRUE;
    }
    return FALSE;  // the default handler ends the process
}

}  // namespace

const char* const programsuffix = ".exe";

void takestopsignals() {
    SetConsoleCtrlHandler(onstop, TRUE);
}

InSdlWait::InSdlWait() {
    waitinginsdl = true;
}

InSdlWait::~InSdlWait() {
    waitinginsdl = false;
}

SpeakingNow::SpeakingNow() {
    voicespeaking = true;
}

SpeakingNow::~SpeakingNow() {
    voicespeaking = false;
}

bool stopsignalled() {
    return stoprequest;
}

void endonstopsignal() {
    if (stoprequest) ExitProcess(STATUS_CONTROL_C_EXIT);
}

void enterfolder(const std::string& folder) {
    std::error_code error;
    std::filesystem::current_path(std::filesystem::path(widen(folder)), error);
    if (error) fail("cannot enter the save folder " + folder + ": " + error.message());
}

}  // namespace corvale
