// Reading and writing settings files, and voice.txt among them. The file is
// made by the build but may be edited by hand (to try another voice), so
// every refusal names the file and the line, quotes what it refuses, and
// says what a line should look like.
#include "speech/voicefile.h"

#include <algorithm>
#include <set>

#include "files/files.h"
#include "platform/failure.h"

namespace corvale {

namespace {

// What surrounds a key or a value without being part of it. A carriage
// return is among them so that a value never ends in one: written back, it
// would be taken for the line's end.
constexpr std::string_view blanks = " \t\r";

bool iskey(std::string_view key) {
    return !key.empty() && std::all_of(key.begin(), key.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '-' || c == '_' || c == '.';
    });
}

// Every key of voice.txt: the member it sets and the marks its text must
// hold once each, n and m for numbers and l for a letter ("" for none;
// engine, voice and language take none).
struct Key {
    const char* name;
    std::string VoiceSettings::*member;
    const char* numbers;
};
const Key keys[] = {
    {"engine", &VoiceSettings::engine, ""},
    {"voice", &VoiceSettings::voice, ""},
    {"language", &VoiceSettings::language, ""},
    {"clue", &VoiceSettings::clue, "n"},
    {"viewclue", &VoiceSettings::viewclue, "nm"},
    {"viewmenu", &VoiceSettings::viewmenu, ""},
    {"viewintro", &VoiceSettings::viewintro, ""},
    {"viewpuzzle", &VoiceSettings::viewpuzzle, "n"},
    {"viewneweasy", &VoiceSettings::viewneweasy, ""},
    {"viewnewmedium", &VoiceSettings::viewnewmedium, ""},
    {"viewnewhard", &VoiceSettings::viewnewhard, ""},
    {"viewexit", &VoiceSettings::viewexit, ""},
    {"times", &VoiceSettings::times, ""},
    {"minus", &VoiceSettings::minus, ""},
    {"islessthan", &VoiceSettings::islessthan, ""},
    {"equals", &VoiceSettings::equals, ""},
    {"running", &VoiceSettings::running, ""},
    {"hintsettles", &VoiceSettings::hintsettles, "nl"},
    {"hintbreaks", &VoiceSettings::hintbreaks, "n"},
    {"hintguess", &VoiceSettings::hintguess, "nl"},
    {"hintsolved", &VoiceSettings::hintsolved, ""},
};

int count(const std::string& text, const std::string& mark) {
    int found = 0;
    for (auto at = text.find(mark); at != std::string::npos; at = text.find(mark, at + 1)) ++found;
    return found;
}

std::string replaced(std::string text, const std::string& mark, int number) {
    const auto at = text.find(mark);
    if (at != std::string::npos) text.replace(at, mark.size(), std::to_string(number));
    return text;
}

const SpeechEngine* findengine(const std::string& name) {
    for (const SpeechEngine& e : speechengines)
        if (name == e.name) return &e;
    return nullptr;
}

// "espeak-ng and flite", for messages.
std::string enginenames() {
    std::string names;
    const std::size_t n = std::size(speechengines);
    for (std::size_t i = 0; i < n; ++i)
        names += (i == 0 ? "" : i + 1 == n ? " and " : ", ") + std::string(speechengines[i].name);
    return names;
}

}  // namespace

std::vector<Setting> readsettings(std::string_view text, const std::string& filename) {
    std::vector<Setting> settings;
    std::set<std::string, std::less<>> seen;
    const std::vector<std::string> lines = splitlines(withoutbom(text));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        Setting s{"", "", static_cast<int>(i + 1)};
        const std::string_view line = trim(lines[i], blanks);
        if (line.empty() || line[0] == '#') continue;
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            refusesetting(filename, s, "no \"=\" in " + shown(line));
        s.key = trim(line.substr(0, equals), blanks);
        s.value = trim(line.substr(equals + 1), blanks);
        if (s.key.empty()) refusesetting(filename, s, "no key before \"=\" in " + shown(line));
        if (!iskey(s.key))
            refusesetting(filename, s,
                          shown(s.key) +
                              " is not a key: a key is letters, digits, \"-\", \"_\" "
                              "and \".\"");
        if (!seen.insert(s.key).second)
            refusesetting(filename, s, shown(s.key) + " is given twice");
        settings.push_back(std::move(s));
    }
    return settings;
}

std::string writesettings(const std::vector<Setting>& settings, const std::string& note) {
    std::string text;
    for (const std::string& line : splitlines(note)) text += "# " + line + "\n";
    for (const Setting& s : settings) {
        if (!iskey(s.key)) fail("cannot write the setting " + shown(s.key) + ": not a key");
        if (s.value.find('\n') != std::string::npos || trim(s.value, blanks) != s.value)
            fail("cannot write the setting " + s.key + "=" + shown(s.value) +
                 ": a value holds no line break and no blanks at either end");
        text += s.key + "=" + s.value + "\n";
    }
    return text;
}

void refusesetting(const std::string& filename, const Setting& setting, const std::string& why) {
    fail(filename + ":" + std::to_string(setting.line) + ": " + why +
         " (a line is KEY=VALUE, or a note starting with #)");
}

std::string enginerefusal(const std::string& engine, const std::string& language) {
    const SpeechEngine* e = findengine(engine);
    if (!e) return "unknown speech engine " + shown(engine) + ": the engines are " + enginenames();
    if (!language.empty() && *e->language && language != e->language)
        return engine + " speaks only " + shown(e->language) + ", not " + shown(language);
    return "";
}

std::string defaultvoice(const std::string& engine, const std::string& language) {
    const SpeechEngine* e = findengine(engine);
    return e && *e->voice ? e->voice : language;
}

std::string assign(VoiceSettings& settings, const std::string& key, const std::string& value) {
    if (value.empty()) return shown(key) + " has no value";
    if (key.starts_with(saykey) && key.size() > saykey.size()) {
        settings.says[key.substr(saykey.size())] = value;
        return "";
    }
    for (const Key& k : keys) {
        if (key != k.name) continue;
        if (key == "engine")
            if (std::string why = enginerefusal(value); !why.empty()) return why;
        for (const char* number : {"n", "m", "l"}) {
            const std::string mark = std::string("{") + number + "}";
            const int wanted = std::string(k.numbers).find(number) != std::string::npos ? 1 : 0;
            if (count(value, mark) != wanted)
                return "the " + key + " text " + shown(value) + " needs " + mark +
                       (wanted ? ", once, where its " +
                                     std::string(number[0] == 'l' ? "letter" : "number") + " goes"
                               : " nowhere");
        }
        settings.*k.member = value;
        return "";
    }
    return "unknown key " + shown(key);
}

VoiceSettings parsevoicesettings(std::string_view text, const std::string& filename) {
    VoiceSettings settings;
    bool voicegiven = false;
    for (const Setting& s : readsettings(text, filename)) {
        if (std::string why = assign(settings, s.key, s.value); !why.empty())
            refusesetting(filename, s, why);
        if (s.key == "voice" || (s.key == "engine" && !voicegiven))
            settings.voicenamed = filename + ":" + std::to_string(s.line);
        voicegiven = voicegiven || s.key == "voice";
    }
    if (!voicegiven) settings.voice = defaultvoice(settings.engine, settings.language);
    return settings;
}

std::string formatvoicesettings(const VoiceSettings& settings) {
    std::vector<Setting> lines;
    for (const Key& k : keys) lines.push_back({k.name, settings.*k.member});
    for (const auto& [clip, text] : settings.says)
        lines.push_back({std::string(saykey) + clip, text});
    return writesettings(lines,
                         "How the game speaks and its own words, written by clipgen with "
                         "the clips.");
}

VoiceSettings loadvoicesettings(const std::string& gamedir, std::string& problem) {
    const std::string file = gamedir + "\\voice.txt";
    if (!fileexists(file)) return {};
    try {
        return parsevoicesettings(readtextfile(file), hostpath(file));
    } catch (const Failure& f) {
        problem = std::string(f.what()) + "; the game speaks with its default voice and words";
        return {};
    }
}

std::string withnumber(const std::string& text, int n, int m) {
    return replaced(replaced(text, "{n}", n), "{m}", m);
}

std::string withletter(const std::string& text, const std::string& letter) {
    std::string out = text;
    const auto at = out.find("{l}");
    if (at != std::string::npos) out.replace(at, 3, letter);
    return out;
}

}  // namespace corvale
