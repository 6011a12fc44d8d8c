// voice.txt: what clipgen writes is read back the same, a hand-edited file
// with a fault is refused with its file and line, and a game folder without
// the file speaks English.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>

#include "platform/failure.h"
#include "speech/voicefile.h"
#include "tests/support/tempfolder.h"

namespace corvale {
namespace {

TEST(VoiceFile, WhatIsWrittenIsReadBack) {
    VoiceSettings spanish;
    spanish.voice = "es-419";
    spanish.language = "es";
    spanish.clue = "Pista número {n}";
    spanish.viewclue = "Pista {n} de {m}";
    const VoiceSettings back = parsevoicesettings(formatvoicesettings(spanish), "voice.txt");
    EXPECT_EQ(back.engine, "espeak-ng");
    EXPECT_EQ(back.voice, "es-419");
    EXPECT_EQ(back.language, "es");
    EXPECT_EQ(back.clue, "Pista número {n}");
    EXPECT_EQ(back.viewclue, "Pista {n} de {m}");
    EXPECT_EQ(back.viewpuzzle, "Puzzle {n}");  // left as it was
}

TEST(VoiceFile, NotesSpacesAndCrLfAreTakenAndLeftOutKeysKeepTheirDefaults) {
    const VoiceSettings s =
        parsevoicesettings("# by hand\r\n\r\n  voice = de \r\nclue={n}. Hinweis\r\n", "voice.txt");
    EXPECT_EQ(s.voice, "de");
    EXPECT_EQ(s.clue, "{n}. Hinweis");
    EXPECT_EQ(s.language, "en");
    EXPECT_EQ(s.engine, "espeak-ng");
}

TEST(VoiceFile, AFaultIsNamedByFileAndLine) {
    struct Case {
        const char* content;
        const char* where;
        const char* what;
    };
    // clang-format off
    const Case cases[] = {
        {"voice=de\nlanguage de\n",       "voice.txt:2:", "no \"=\""},
        {"# note\n\nvoice=\n",            "voice.txt:3:", "no value"},
        {"voice=de\nvoice=fr\n",          "voice.txt:2:", "twice"},
        {"speed=3\n",                     "voice.txt:1:", "unknown key \"speed\""},
        {"engine=festival\n",             "voice.txt:1:", "\"festival\""},
        {"clue=Hinweis\n",                "voice.txt:1:", "{n}"},
        {"clue={n} of {n}\n",             "voice.txt:1:", "once"},
        {"viewclue=Pista {n}\n",          "voice.txt:1:", "{m}"},
        {"viewmenu=Menú {n}\n",           "voice.txt:1:", "{n} nowhere"},
        {"clue=Pista {n} de {m}\n",       "voice.txt:1:", "{m} nowhere"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        try {
            parsevoicesettings(c.content, "voice.txt");
            ADD_FAILURE() << "the file was taken";
        } catch (const Failure& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(c.where, 0), 0u) << message;
            EXPECT_NE(message.find(c.what), std::string::npos) << message;
        }
    }
}

TEST(VoiceFile, AFolderWithoutTheFileSpeaksEnglish) {
    const testsupport::TempFolder empty{"voice"};
    const VoiceSettings s = loadvoicesettings(empty.root.string());
    EXPECT_EQ(s.voice, "en");
    EXPECT_EQ(withnumber(s.clue, 3), "Clue 3");
}

TEST(VoiceFile, TheNumberGoesWhereTheTextSays) {
    EXPECT_EQ(withnumber("Hinweis {n}", 12), "Hinweis 12");
    EXPECT_EQ(withnumber("{n}. Hinweis", 1), "1. Hinweis");
    EXPECT_EQ(withnumber("Hinweis {n} von {m}", 2, 5), "Hinweis 2 von 5");
}

}  // namespace
}  // namespace corvale
