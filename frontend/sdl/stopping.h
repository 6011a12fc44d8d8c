// What differs between operating systems in how the game is asked to stop
// (SIGTERM and SIGINT on POSIX, a console's Ctrl+C or close on Windows) and
// in the few process-wide calls the front end makes. Each system's answer is
// a file of its own beside this one.
#pragma once

#include <string>

namespace corvale {

// Takes the stop requests from here on: one that comes while the main
// thread waits inside SDL becomes SDL's quit event; while the voice speaks
// (SpeakingNow) it is kept until the sentence is stopped; anywhere else it
// ends the game at once. A save is safe either way: it replaces its file
// whole or not at all.
void takestopsignals();

// In scope while the main thread waits inside SDL for events.
struct InSdlWait {
    InSdlWait();
    ~InSdlWait();
    InSdlWait(const InSdlWait&) = delete;
    InSdlWait& operator=(const InSdlWait&) = delete;
};

// Makes a folder the working directory; Failure naming it.
void enterfolder(const std::string& folder);

// What ends the name of a program file: ".exe" on Windows.
extern const char* const programsuffix;

}  // namespace corvale
