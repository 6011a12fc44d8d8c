// Reading the clip table. The table is edited by hand, so every refusal names
// the file and the line and says what a line should look like.
#include "tools/clipgen/cliptable.h"

#include <charconv>
#include <set>
#include <sstream>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::clipgen {

namespace {

bool validname(const std::string& name) {
    if (name.empty()) return false;
    for (char c : name)
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')) return false;
    return true;
}

bool blank(const std::string& s) {
    return trim(s).empty();
}

}  // namespace

std::vector<Clip> parsetable(const std::string& content, const std::string& filename) {
    std::vector<Clip> clips;
    std::set<std::string> seen{"click", "win"};
    int number = 0;
    for (std::string& line : splitlines(withoutbom(content))) {
        ++number;
        auto refuse = [&](const std::string& why) {
            fail(filename + ":" + std::to_string(number) + ": " + why +
                 " (a line is: NAME, a tab, the spoken text, and optionally a tab and a rate,"
                 " and a tab and the longest it may last in milliseconds)");
        };
        if (blank(line) || line[0] == '#') continue;

        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) fields.push_back(field);
        if (!line.empty() && line.back() == '\t') fields.push_back("");
        if (fields.size() < 2) refuse("no tab between the clip name and its text");
        if (fields.size() > 4) refuse("more than four tab-separated fields");

        Clip clip{fields[0], fields[1], 0, 0, false, number};
        const std::string prefix = composedprefix;
        clip.composed = clip.name.rfind(prefix, 0) == 0;
        if (!validname(clip.composed ? clip.name.substr(prefix.size()) : clip.name))
            refuse("clip name " + shown(clip.name) + " is not made of a-z, 0-9 and _ alone");
        if (clip.composed && fields.size() >= 3)
            refuse(shown(clip.name) + " is a text the game composes; it takes no rate");
        if (blank(clip.text)) refuse("clip " + shown(clip.name) + " has no text to speak");
        if (fields.size() >= 3) {
            const std::string& r = fields[2];
            auto [end, ec] = std::from_chars(r.data(), r.data() + r.size(), clip.rate);
            if (r.empty() || ec != std::errc() || end != r.data() + r.size())
                refuse("rate " + shown(r) + " is not a whole number");
            if (std::string why = speech::refusal(clip.rate, 100, speech::fastestclip);
                !why.empty())
                refuse(why);
        }
        if (fields.size() == 4) {
            const std::string& l = fields[3];
            auto [end, ec] = std::from_chars(l.data(), l.data() + l.size(), clip.longest);
            if (l.empty() || ec != std::errc() || end != l.data() + l.size() || clip.longest <= 0)
                refuse("longest " + shown(l) + " is not a whole number of milliseconds above 0");
        }
        if (clip.name == "click" || clip.name == "win")
            refuse("clip " + shown(clip.name) + " is made by clipgen itself, not spoken");
        if (!seen.insert(clip.name).second) refuse("clip " + shown(clip.name) + " is listed twice");
        clips.push_back(std::move(clip));
    }
    return clips;
}

std::vector<Clip> readtable(const std::string& filename) {
    return parsetable(readwholefile(filename), filename);
}

}  // namespace corvale::clipgen
