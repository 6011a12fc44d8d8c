// voice.txt: what clipgen writes is read back the same, a hand-edited file
// is read one way by everyone (engine, voice and the default voice), a file
// with a fault is refused with its file and line, and a game folder without
// the file, or with one the game cannot use, speaks English. And settings files in general: what is
// read is written back the same.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

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
    spanish.says = {{"intro2", "Las teclas. Enter repite la pista."}, {"_", "blanco"}};
    const VoiceSettings back = parsevoicesettings(formatvoicesettings(spanish), "voice.txt");
    EXPECT_EQ(back.engine, "espeak-ng");
    EXPECT_EQ(back.voice, "es-419");
    EXPECT_EQ(back.language, "es");
    EXPECT_EQ(back.clue, "Pista número {n}");
    EXPECT_EQ(back.viewclue, "Pista {n} de {m}");
    EXPECT_EQ(back.viewpuzzle, "Puzzle {n}");  // left as it was
    EXPECT_EQ(back.says, spanish.says);
}

TEST(VoiceFile, TheEngineAndVoiceAreReadOneWay) {
    // The game, its voice, voxlet and clipgen all read these the same: blanks
    // around "=" are not part of a key or a value, and a voice left out is
    // the engine's own for the language.
    struct Case {
        const char* content;
        const char* engine;
        const char* voice;
    };
    // clang-format off
    const Case cases[] = {
        {"",                                        "espeak-ng", "en"},
        {"engine=flite\nvoice=awb\n",               "flite",     "awb"},
        {"engine = flite\nvoice = awb\n",           "flite",     "awb"},
        {"\tengine\t=\tflite \r\n",                 "flite",     "slt"},
        {"engine=flite\r\n",                        "flite",     "slt"},
        {"\xEF\xBB\xBF" "engine=flite\n",            "flite",     "slt"},
        {"# chosen at build time\n\nvoice=de\nlanguage=de\n", "espeak-ng", "de"},
        {"language=de\n",                           "espeak-ng", "de"},
        {"voice=en-us\nlanguage=en\n",              "espeak-ng", "en-us"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        const VoiceSettings s = parsevoicesettings(c.content, "voice.txt");
        EXPECT_EQ(s.engine, c.engine);
        EXPECT_EQ(s.voice, c.voice);
    }
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
        {"engine=flite\nvoice\n",         "voice.txt:2:", "no \"=\""},
        {"=de\n",                         "voice.txt:1:", "no key"},
        {"the voice=de\n",                "voice.txt:1:", "\"the voice\" is not a key"},
        {"\xEF\xBB\xBFspeed = 3\n",         "voice.txt:1:", "unknown key \"speed\""},
        {"clue=Hinweis\n",                "voice.txt:1:", "{n}"},
        {"clue={n} of {n}\n",             "voice.txt:1:", "once"},
        {"viewclue=Pista {n}\n",          "voice.txt:1:", "{m}"},
        {"viewmenu=Menú {n}\n",           "voice.txt:1:", "{n} nowhere"},
        {"clue=Pista {n} de {m}\n",       "voice.txt:1:", "{m} nowhere"},
        {"hintsettles=Pista {n} fija\n",  "voice.txt:1:", "{l}, once, where its letter goes"},
        {"clue=Pista {n} {l}\n",          "voice.txt:1:", "{l} nowhere"},
        {"say.=Hallo\n",                  "voice.txt:1:", "unknown key \"say.\""},
        {"say.intro=\n",                  "voice.txt:1:", "no value"},
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

// The file as the game and voxlet load it: one they cannot use gives every
// default, never a stop, and the problem names the file and the line.
TEST(VoiceFile, AFileTheGameCannotUseGivesTheDefaultsAndSaysWhy) {
    struct Case {
        const char* name;
        std::string content;  // no file at all when null
        bool exists;
        const char* voice;
        const char* voicenamed;  // after the file's path
        const char* problem;     // after the file's path; "" for none
    };
    // clang-format off
    const Case cases[] = {
        {"none",      "",                            false, "en",  "",   ""},
        {"good",      "engine=flite\nvoice=kal\n",   true,  "kal", ":2", ""},
        {"engineonly","language=en\nengine=flite\n", true,  "slt", ":2", ""},
        {"badline",   "language=de\nclue=Hinweis\n",  true,  "en",  "",   ":2: the clue text"},
        {"toolarge",  std::string(70000, '#'),       true,  "en",  "",   ": "},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const testsupport::TempFolder folder{"voice"};
        const std::string file = (folder.root / "voice.txt").string();
        if (c.exists) std::ofstream(file) << c.content;
        std::string problem;
        const VoiceSettings s = loadvoicesettings(folder.root.string(), problem);
        EXPECT_EQ(s.voice, c.voice);
        EXPECT_EQ(s.voicenamed, *c.voicenamed ? file + c.voicenamed : "");
        if (!*c.problem) {
            EXPECT_EQ(problem, "");
            continue;
        }
        EXPECT_NE(problem.find(file + c.problem), std::string::npos) << problem;
        EXPECT_NE(problem.find("default voice and words"), std::string::npos) << problem;
        EXPECT_EQ(s.language, "en");
        EXPECT_EQ(withnumber(s.clue, 3), "Clue 3");
    }
}

TEST(VoiceFile, EnginesAreKnownWithTheirLanguages) {
    EXPECT_EQ(enginerefusal("espeak-ng", "de"), "");
    EXPECT_EQ(enginerefusal("flite", "en"), "");
    EXPECT_EQ(enginerefusal("flite"), "");
    EXPECT_NE(enginerefusal("flite", "de").find("\"de\""), std::string::npos);
    EXPECT_NE(enginerefusal("festival").find("espeak-ng and flite"), std::string::npos);
    EXPECT_EQ(defaultvoice("flite", "en"), "slt");
    EXPECT_EQ(defaultvoice("espeak-ng", "fr"), "fr");
}

TEST(SettingsFile, WhatIsReadIsWrittenBackTheSame) {
    // clang-format off
    const char* const texts[] = {
        "",
        "# only a note\n\n",
        "a=1\nb = two words \r\nc=\n",
        "\xEF\xBB\xBFkey=x=y\n  # note\nnext.key=\ttab\tinside\t\n",
        "k=a\r\r\nl=\x01odd\x7f bytes",
        "v=\"quoted\" #not a note\n",
    };
    // clang-format on
    for (const char* text : texts) {
        SCOPED_TRACE(text);
        const std::vector<Setting> first = readsettings(text, "settings.txt");
        const std::vector<Setting> again =
            readsettings(writesettings(first, "a note\non two lines"), "settings.txt");
        ASSERT_EQ(again.size(), first.size());
        for (std::size_t i = 0; i < first.size(); ++i) {
            EXPECT_EQ(again[i].key, first[i].key);
            EXPECT_EQ(again[i].value, first[i].value);
        }
    }
    const std::vector<Setting> read = readsettings("\n  b = two words \n", "settings.txt");
    ASSERT_EQ(read.size(), 1u);
    EXPECT_EQ(read[0].key, "b");
    EXPECT_EQ(read[0].value, "two words");
    EXPECT_EQ(read[0].line, 2);
}

TEST(SettingsFile, WhatNoFileCanHoldIsNotWritten) {
    const Setting cases[] = {{"", "x"},    {"two words", "x"}, {"#k", "x"}, {"k", " x"},
                             {"k", "x\t"}, {"k", "a\nb"},      {"k", "x\r"}};
    for (const Setting& s : cases) {
        SCOPED_TRACE(s.key + "=" + s.value);
        EXPECT_THROW(writesettings({s}), Failure);
    }
}

TEST(VoiceFile, TheNumberGoesWhereTheTextSays) {
    EXPECT_EQ(withnumber("Hinweis {n}", 12), "Hinweis 12");
    EXPECT_EQ(withnumber("{n}. Hinweis", 1), "1. Hinweis");
    EXPECT_EQ(withnumber("Hinweis {n} von {m}", 2, 5), "Hinweis 2 von 5");
    EXPECT_EQ(withletter(withnumber("Hinweis {n} legt {l} fest.", 3), "B"),
              "Hinweis 3 legt B fest.");
}

}  // namespace
}  // namespace corvale
