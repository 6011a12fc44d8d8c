// A clip table's words for times, minus, is less than and equals, checked
// to be fit for one unquoted field of a puzzle file.
#include "tools/puzzletool/words.h"

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "platform/failure.h"
#include "tools/clipgen/cliptable.h"

namespace corvale::solver {

std::string wordsfromtable(const std::string& tablefile, Words& words) {
    std::vector<clipgen::Clip> clips;
    try {
        clips = clipgen::readtable(tablefile);
    } catch (const Failure& e) {
        return e.what();
    }
    Words got;
    std::pair<const char*, std::string*> wanted[] = {{"times", &got.times},
                                                     {"minus", &got.minus},
                                                     {"islessthan", &got.islessthan},
                                                     {"equals", &got.equals}};
    for (auto& [wantedname, into] : wanted) {
        // clang 14 cannot capture a structured binding in a lambda.
        const std::string name = wantedname;
        auto row = std::find_if(clips.begin(), clips.end(),
                                [&](const clipgen::Clip& c) { return c.name == name; });
        if (row == clips.end()) return tablefile + ": no row \"" + name + "\"";
        // A sentence is one field of the puzzle file, written unquoted.
        if (row->text.find_first_of(",\"") != std::string::npos)
            return tablefile + ":" + std::to_string(row->line) + ": \"" + row->text +
                   "\" holds a comma or a quote, which a puzzle's sentence cannot";
        *into = row->text;
    }
    words = got;
    return "";
}

}  // namespace corvale::solver
