// settings.txt: what the game writes is read back the same, a hand-edited
// file means what it says, and a fault is refused with its file and line.
// And the language the game plays in, from the setting and the locale.
#include <gtest/gtest.h>

#include <map>
#include <set>

#include "platform/failure.h"
#include "speech/playersettings.h"

namespace corvale {
namespace {

TEST(PlayerSettingsFile, WhatIsWrittenIsReadBack) {
    const PlayerSettings cases[] = {
        {},
        {"de", -10, 0, 55, 100},
        {"fr", 10, 100, 0, 30},
    };
    for (const PlayerSettings& s : cases) {
        const std::string text = formatplayersettings(s);
        SCOPED_TRACE(text);
        const PlayerSettings back = parseplayersettings(text, "settings.txt");
        EXPECT_EQ(back.language, s.language);
        EXPECT_EQ(back.rate, s.rate);
        EXPECT_EQ(back.clipvolume, s.clipvolume);
        EXPECT_EQ(back.voicevolume, s.voicevolume);
        EXPECT_EQ(back.effectvolume, s.effectvolume);
    }
}

TEST(PlayerSettingsFile, AHandEditedFileKeepsTheDefaultsOfWhatItLeavesOut) {
    const PlayerSettings s =
        parseplayersettings("# mine\r\n rate = -3 \r\nlanguage=\n", "settings.txt");
    EXPECT_EQ(s.rate, -3);
    EXPECT_EQ(s.language, "");
    EXPECT_EQ(s.clipvolume, 100);
    EXPECT_EQ(s.effectvolume, 100);
}

TEST(PlayerSettingsFile, AFaultIsNamedByFileAndLine) {
    struct Case {
        const char* text;
        const char* says;  // the message begins with "settings.txt:LINE: " and holds this
    };
    const Case cases[] = {
        {"rate=1\nspeed=3\n", "settings.txt:2: unknown key \"speed\""},
        {"rate=11\n", "settings.txt:1: the rate \"11\" is not a whole number from -10 to 10"},
        {"rate=-11\n", "from -10 to 10"},
        {"rate=1.5\n", "settings.txt:1: the rate"},
        {"rate=\n", "settings.txt:1: the rate \"\""},
        {"clipvolume=101\n", "from 0 to 100"},
        {"voicevolume=+5\n", "settings.txt:1: the voicevolume"},
        {"effectvolume=99999999999\n", "settings.txt:1: the effectvolume"},
        {"language=german\n", "settings.txt:1: the language \"german\""},
        {"language=DE\n", "settings.txt:1: the language"},
        {"\n\nrate 3\n", "settings.txt:3: no \"=\""},
        {"rate=1\nrate=2\n", "settings.txt:2: \"rate\" is given twice"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        try {
            parseplayersettings(c.text, "settings.txt");
            ADD_FAILURE() << "accepted";
        } catch (const Failure& e) {
            EXPECT_NE(std::string(e.what()).find(c.says), std::string::npos) << e.what();
        }
    }
}

TEST(Language, IsTheSettingsElseTheLocalesFirstWithASetElseEnglish) {
    struct Case {
        const char* what;
        const char* setting;
        std::map<std::string, std::string> env;
        const char* chosen;
    };
    // English, German and French have sets; Italian and Japanese do not.
    const std::set<std::string> sets{"en", "de", "fr"};
    const Case cases[] = {
        {"nothing says", "", {}, "en"},
        {"the setting first", "fr", {{"LANGUAGE", "de"}, {"LANG", "de_DE.UTF-8"}}, "fr"},
        {"a setting without a set", "it", {{"LANG", "de_DE.UTF-8"}}, "de"},
        {"LANG alone", "", {{"LANG", "de_DE.UTF-8"}}, "de"},
        {"LANGUAGE's first with a set", "", {{"LANGUAGE", "it:ja_JP:fr_FR:de"}}, "fr"},
        {"LANGUAGE before LC_ALL", "", {{"LANGUAGE", "fr"}, {"LC_ALL", "de_DE.UTF-8"}}, "fr"},
        {"LANGUAGE without a set", "", {{"LANGUAGE", "it"}, {"LC_ALL", "de_DE.UTF-8"}}, "de"},
        {"LC_ALL before LC_MESSAGES",
         "",
         {{"LC_ALL", "fr_CA.UTF-8"}, {"LC_MESSAGES", "de_DE"}, {"LANG", "it_IT"}},
         "fr"},
        {"LC_MESSAGES before LANG", "", {{"LC_MESSAGES", "de_AT@euro"}, {"LANG", "fr_FR"}}, "de"},
        {"the C locale names none", "", {{"LC_ALL", "C.UTF-8"}, {"LANG", "fr_FR.UTF-8"}}, "fr"},
        {"an unknown language", "", {{"LANG", "ja_JP.UTF-8"}}, "en"},
        {"empty entries", "", {{"LANGUAGE", "::"}, {"LANG", ""}}, "en"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string chosen = chooselanguage(
            c.setting,
            [&](const char* name) -> const char* {
                const auto it = c.env.find(name);
                return it == c.env.end() ? nullptr : it->second.c_str();
            },
            [&](const std::string& language) { return sets.count(language) > 0; });
        EXPECT_EQ(chosen, c.chosen);
    }
}

}  // namespace
}  // namespace corvale
