// Fuzz target: the readers and writers of the files a player's play saves,
// the scratch pad and the marks, both given every input. What a reader takes
// is one the game can hold, and writing it gives a file that reads back as
// the same; a file a reader refuses gets a short message naming it.
#include <cstddef>
#include <cstdint>
#include <string>

#include "puzzle/reader.h"
#include "tests/support/fuzzcheck.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

namespace {

template <typename Saved, typename Read, typename Write, typename Same>
void roundtrip(const std::string& text, const std::string& name, Read read, Write write,
               Same same) {
    Saved got;
    const std::string error = read(text, name, got);
    if (!error.empty()) {
        checkrefusal(error, name);
        return;
    }
    const std::string saved = write(got);  // throws if it would not read back
    Saved back;
    check(read(saved, name, back).empty());
    check(same(back, got));
    check(write(back) == saved);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    roundtrip<corvale::Scratch>(text, "scratch1.txt", corvale::readscratch, corvale::writescratch,
                                [](const corvale::Scratch& a, const corvale::Scratch& b) {
                                    return a.scratchletter == b.scratchletter &&
                                           a.scratchdigit == b.scratchdigit;
                                });
    roundtrip<corvale::Marks>(text, "marks1.txt", corvale::readmarks, corvale::writemarks,
                              [](const corvale::Marks& a, const corvale::Marks& b) {
                                  return a.hintsused == b.hintsused && a.marks == b.marks;
                              });
    return 0;
}
