// Reading and writing voice.txt. The file is made by the build but may be
// edited by hand (to try another voice), so every refusal names the file
// and the line and says what a line should look like.
#include "speech/voicefile.h"

#include <set>
#include <sstream>

#include "files/files.h"
#include "platform/failure.h"

namespace corvale {

namespace {

// Every key of the file: the member it sets and the number marks its text
// must hold once each ("" for none; engine, voice and language take none).
struct Key {
    const char* name;
    std::string VoiceSettings::*member;
    const char* numbers;
};
const Key keys[] = {
    {"engine", &VoiceSettings::engine, ""},       {"voice", &VoiceSettings::voice, ""},
    {"language", &VoiceSettings::language, ""},   {"clue", &VoiceSettings::clue, "n"},
    {"viewclue", &VoiceSettings::viewclue, "nm"}, {"viewmenu", &VoiceSettings::viewmenu, ""},
    {"viewintro", &VoiceSettings::viewintro, ""}, {"viewpuzzle", &VoiceSettings::viewpuzzle, "n"},
    {"viewexit", &VoiceSettings::viewexit, ""},   {"running", &VoiceSettings::running, ""},
};

int count(const std::string& text, const std::string& mark) {
    int found = 0;
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) ++found;
    return found;
}

std::string trimmed(const std::string& s) {
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return "";
    return s.substr(first, s.find_last_not_of(" \t") - first + 1);
}

std::string replaced(std::string text, const std::string& mark, int number) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), std::to_string(number));
    return text;
}

}  // namespace

std::string assign(VoiceSettings& settings, const std::string& key, const std::string& value) {
    if (value.empty()) return "\"" + key + "\" has no value";
    for (const Key& k : keys) {
        if (key != k.name) continue;
        if (key == "engine" && value != "espeak-ng" && value != "flite")
            return "unknown speech engine \"" + value + "\"";
        for (const char* number : {"n", "m"}) {
            const std::string mark = std::string("{") + number + "}";
            const int wanted = std::string(k.numbers).find(number) != std::string::npos ? 1 : 0;
            if (count(value, mark) != wanted)
                return "the " + key + " text \"" + value + "\" needs " + mark +
                       (wanted ? ", once, where its number goes" : " nowhere");
        }
        settings.*k.member = value;
        return "";
    }
    return "unknown key \"" + key + "\"";
}

VoiceSettings parsevoicesettings(const std::string& text, const std::string& filename) {
    VoiceSettings settings;
    std::set<std::string> seen;
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        auto refuse = [&](const std::string& why) {
            fail(filename + ":" + std::to_string(number) + ": " + why +
                 " (a line is KEY=VALUE, such as voice=de)");
        };
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (trimmed(line).empty() || trimmed(line)[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string::npos) refuse("no \"=\" in \"" + line + "\"");
        const std::string key = trimmed(line.substr(0, equals));
        const std::string value = trimmed(line.substr(equals + 1));
        if (!seen.insert(key).second) refuse("\"" + key + "\" is given twice");
        if (std::string why = assign(settings, key, value); !why.empty()) refuse(why);
    }
    return settings;
}

std::string formatvoicesettings(const VoiceSettings& settings) {
    std::string text =
        "# How the game speaks and its own words, written by clipgen with the clips.\n";
    for (const Key& k : keys) text += std::string(k.name) + "=" + settings.*k.member + "\n";
    return text;
}

VoiceSettings loadvoicesettings(const std::string& gamedir) {
    const std::string file = gamedir + "\\voice.txt";
    if (!fileexists(file)) return {};
    return parsevoicesettings(readtextfile(file), hostpath(file));
}

std::string withnumber(const std::string& text, int n, int m) {
    return replaced(replaced(text, "{n}", n), "{m}", m);
}

}  // namespace corvale
