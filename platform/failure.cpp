// The reporter every program shares: one line on standard error, flushed at
// once so it is not lost when the program ends right after it.
#include "platform/failure.h"

#include <cstdio>

namespace corvale {

void report(const std::string& text, const char* program) {
    std::fprintf(stderr, "%s: %s\n", program, text.c_str());
    std::fflush(stderr);
}

}  // namespace corvale
