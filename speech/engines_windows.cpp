// The Windows build has no espeak-ng, and flite is not built for it yet: each
// engine refuses to open, naming what is missing, and the game speaks only
// its recorded clips. speech.cpp never calls an engine that did not open.
#include "platform/failure.h"
#include "speech/engines.h"

namespace corvale::speech::engines {

void espeakopen(const std::string&) {
    fail("espeak-ng is not part of the Windows build");
}

void espeaksay(const std::string&, int, int, Job&) {
    fail("espeak-ng is not part of the Windows build");
}

std::string flitevoices() {
    return "none in the Windows build";
}

void fliteopen(const std::string&) {
    fail("flite is not part of the Windows build yet");
}

void flitesay(const std::string&, int, int, Job&) {
    fail("flite is not part of the Windows build yet");
}

}  // namespace corvale::speech::engines
