// Opening a library at run time on POSIX: dlopen, with its own symbols kept
// to itself.
#include <dlfcn.h>

#include "speech/loader.h"

namespace corvale::speechd {

void* openlibrary(const char* name, std::string& why) {
    void* handle = dlopen(name, RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = dlerror();
        why = error ? error : std::string(name) + " not found";
    }
    return handle;
}

void* findsymbol(void* library, const char* name) {
    return dlsym(library, name);
}

}  // namespace corvale::speechd
