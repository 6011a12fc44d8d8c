// Fuzz target: clipgen's clip table. It either lists clips (and composed
// texts) with names made of a-z, 0-9 and _ and rates a clip may take, or refuses the table with a
// Failure naming the file and a line.
#include <cstddef>
#include <cstdint>
#include <set>
#include <string>

#include "platform/failure.h"
#include "speech/speech.h"
#include "tests/support/fuzzcheck.h"
#include "tools/clipgen/cliptable.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    try {
        std::set<std::string> names;
        for (const corvale::clipgen::Clip& clip : corvale::clipgen::parsetable(text, "clips.tsv")) {
            check(!clip.name.empty() && names.insert(clip.name).second);
            // A text the game composes is named by a prefix and then a clip-like name.
            const std::string name =
                clip.composed
                    ? clip.name.substr(std::string(corvale::clipgen::composedprefix).size())
                    : clip.name;
            check(!name.empty());
            for (char c : name) check((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_');
            check(clip.rate >= -10 && clip.rate <= corvale::speech::fastestclip);
            check(!clip.text.empty());
        }
    } catch (const corvale::Failure& f) {
        const std::string message = f.what();
        checkrefusal(message, "clips.tsv");
    }
    return 0;
}
