// speech-dispatcher is a service of Linux desktops: on Windows its client
// library is never there, and the game speaks with its built-in voice.
#include "speech/loader.h"

namespace corvale::speechd {

void* openlibrary(const char* name, std::string& why) {
    why = std::string(name) + " is not available on Windows";
    return nullptr;
}

void* findsymbol(void*, const char*) {
    return nullptr;
}

}  // namespace corvale::speechd
