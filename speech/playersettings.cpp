// Reading and writing settings.txt. The lines are read by the one reader of
// settings files; here is only what each key means and what it may hold.
#include "speech/playersettings.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include <sys/stat.h>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/voicefile.h"

namespace corvale {

namespace {

struct Number {
    const char* name;
    int PlayerSettings::*member;
    int lowest, highest;
};
const Number numbers[] = {
    {"rate", &PlayerSettings::rate, slowestrate, fastestrate},
    {"clipvolume", &PlayerSettings::clipvolume, 0, mostvolume},
    {"voicevolume", &PlayerSettings::voicevolume, 0, mostvolume},
    {"effectvolume", &PlayerSettings::effectvolume, 0, mostvolume},
};

bool islanguage(const std::string& value) {
    return value.size() >= 2 && value.size() <= 3 &&
           std::all_of(value.begin(), value.end(), [](char c) { return c >= 'a' && c <= 'z'; });
}

// The whole of `text` as a number in lowest..highest, or nothing.
bool readnumber(const std::string& text, int lowest, int highest, int& out) {
    int value = 0;
    const char* end = text.data() + text.size();
    const auto [at, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || at != end || value < lowest || value > highest) return false;
    out = value;
    return true;
}

// The language of a locale name: "de_DE.UTF-8", "de@euro" and "de" are de;
// "C" and "POSIX" name none.
std::string localelanguage(std::string_view locale) {
    std::string language(locale.substr(0, locale.find_first_of("_.@")));
    std::transform(language.begin(), language.end(), language.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return islanguage(language) ? language : "";
}

bool isfile(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

}  // namespace

std::string chooselanguage(const std::string& setting, const Environment& env,
                           const std::function<bool(const std::string&)>& hasset) {
    std::vector<std::string> wanted{setting};
    if (const char* list = env("LANGUAGE"))
        for (std::string_view rest = list; !rest.empty();) {
            const auto colon = rest.find(':');
            wanted.push_back(localelanguage(rest.substr(0, colon)));
            rest = colon == std::string_view::npos ? "" : rest.substr(colon + 1);
        }
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"})
        if (const char* value = env(name)) wanted.push_back(localelanguage(value));
    for (const std::string& language : wanted)
        if (!language.empty() && hasset(language)) return language;
    return "en";
}

std::string languagefolder(const std::string& datadir, const std::string& settingsfile,
                           const Environment& env) {
    std::string problem, setting;
    // What cannot be read here is read again, and reported, by the game.
    const std::string own = loadvoicesettings(datadir, problem).language;
    try {
        if (!settingsfile.empty() && isfile(settingsfile))
            setting = parseplayersettings(readwholefile(settingsfile, mostgamefile), settingsfile)
                          .language;
    } catch (const Failure&) {
    }
    const std::string language = chooselanguage(setting, env, [&](const std::string& l) {
        return l == own || isfile(datadir + "/" + l + "/soundchart.txt");
    });
    return language == own || !isfile(datadir + "/" + language + "/soundchart.txt")
               ? datadir
               : datadir + "/" + language;
}

PlayerSettings parseplayersettings(std::string_view text, const std::string& filename) {
    PlayerSettings settings;
    for (const Setting& s : readsettings(text, filename)) {
        if (s.key == "language") {
            if (!s.value.empty() && !islanguage(s.value))
                refusesetting(filename, s,
                              "the language " + shown(s.value) +
                                  " is not a language's two or three letters, such as de");
            settings.language = s.value;
            continue;
        }
        const auto number = std::find_if(std::begin(numbers), std::end(numbers),
                                         [&](const Number& n) { return s.key == n.name; });
        if (number == std::end(numbers))
            refusesetting(filename, s,
                          "unknown key " + shown(s.key) +
                              ": the keys are language, rate, clipvolume, voicevolume and "
                              "effectvolume");
        if (!readnumber(s.value, number->lowest, number->highest, settings.*number->member))
            refusesetting(filename, s,
                          "the " + s.key + " " + shown(s.value) + " is not a whole number from " +
                              std::to_string(number->lowest) + " to " +
                              std::to_string(number->highest));
    }
    return settings;
}

std::string formatplayersettings(const PlayerSettings& settings) {
    std::vector<Setting> lines{{"language", settings.language}};
    for (const Number& n : numbers) lines.push_back({n.name, std::to_string(settings.*n.member)});
    return writesettings(lines,
                         "Corvale's settings, written by the game when you change them.\n"
                         "language: de, en, es or fr; empty to follow the desktop's language.\n"
                         "rate: the live voice's speed, -10 to 10, added to the speech "
                         "server's own.\n"
                         "clipvolume, voicevolume, effectvolume: percent, 0 to 100.");
}

}  // namespace corvale
