// Fuzz target: the scratch file reader and writer. A pad the reader takes
// is one the game can hold, and writing it gives a file that reads back as
// the same pad; a file the reader refuses gets a short message.
#include <cstddef>
#include <cstdint>
#include <string>

#include "puzzle/reader.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    corvale::Scratch pad;
    const std::string error = corvale::readscratch(text, "scratch1.txt", pad);
    if (!error.empty()) {
        check(error.rfind("scratch1.txt:", 0) == 0);
        check(error.size() < 400);
        return 0;
    }
    const std::string saved = corvale::writescratch(pad);  // throws if it would not read back
    corvale::Scratch back;
    check(corvale::readscratch(saved, "scratch1.txt", back).empty());
    check(back.scratchletter == pad.scratchletter && back.scratchdigit == pad.scratchdigit);
    check(corvale::writescratch(back) == saved);
    return 0;
}
