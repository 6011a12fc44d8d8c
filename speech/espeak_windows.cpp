// espeak-ng is not built for Windows: the engine refuses to open, naming
// why, and voice.txt's other languages speak only their recorded clips there.
// speech.cpp never calls an engine that did not open.
#include "platform/failure.h"
#include "speech/engines.h"

namespace corvale::speech::engines {

void espeakopen(const std::string&) {
    fail("espeak-ng is not part of the Windows build");
}

void espeaksay(const std::string&, int, int, Job&) {
    fail("espeak-ng is not part of the Windows build");
}

}  // namespace corvale::speech::engines
