// Opening a library while the program runs, for the speech-dispatcher
// client, which is never linked. Written per operating system: dlopen on
// POSIX; on Windows there is no speech-dispatcher, and opening it fails.
#pragma once

#include <string>

namespace corvale::speechd {

// The library's handle, kept open for the life of the process; nullptr with
// the reason in `why` when it cannot be opened.
void* openlibrary(const char* name, std::string& why);
// A function of an open library by name, or nullptr.
void* findsymbol(void* library, const char* name);

}  // namespace corvale::speechd
