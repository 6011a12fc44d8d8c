// Start-up and the pause on the virtual clock.
#include "dist/release.h"
#include "rig.h"

namespace corvale::testing {
namespace {

using Startup = Rig;

TEST_F(Startup, WritesTheVersionFileInTheWorkingDirectoryAndGreets) {
    writefile(workdir / "myversion.txt", "something much older and longer\r\n");
    writefile(programdir / "soundchart.txt", "\\sounds\\welcome.wav\r\n20\r\n");
    Form_Load();
    EXPECT_EQ(readfile(workdir / "myversion.txt"), std::string(release::version) + "\r\n");
    EXPECT_FALSE(fs::exists(programdir / "myversion.txt"));
    EXPECT_EQ(Module1.chartcount, 1);
    EXPECT_EQ(os.title, "Corvale");
    EXPECT_EQ(Module1.menulevel, 1);
    EXPECT_TRUE(Form1.List1.empty());  // nothing is queued before activation
    Form_Activate();
    ticks(1);
    EXPECT_EQ(os.timedplays(), std::vector<std::string>{"50 0: \\sounds\\welcome.wav"});
    EXPECT_EQ(Module1.voicewait, 40);
}

// A player who starts the game twice hears why nothing new opens, in the
// game's language; the running game's files are left alone.
TEST_F(Startup, ASecondInstanceSaysSoAndWritesNothing) {
    writefile(programdir / "voice.txt", "language=de\nrunning=Corvale läuft bereits\n");
    os.otherinstance = true;
    start();
    EXPECT_EQ(os.endstatus, 0);
    EXPECT_EQ(os.speech, std::vector<std::string>{"Corvale läuft bereits|0|100"});
    EXPECT_FALSE(fs::exists(workdir / "myversion.txt"));
    EXPECT_TRUE(os.messages.empty());
    EXPECT_TRUE(os.sounds.empty());
}

TEST_F(Startup, ASecondInstanceWithoutSoundEndsWithANote) {
    os.otherinstance = true;
    os.soundfails = true;
    start();
    EXPECT_EQ(os.endstatus, 0);
    EXPECT_TRUE(os.speech.empty());
    EXPECT_EQ(os.notes, std::vector<std::string>{"Corvale is already running"});
}

// What ends the game is said in the game's voice before the written report,
// once there is sound to say it with.
TEST_F(Startup, AFailureIsSaidOnceSoundIsOpen) {
    sayfailure("before sound");
    start();
    ticks(1);
    std::size_t from = os.sounds.size();
    sayfailure("cannot load the clip /home/ann/.local/share/corvale/sounds/b.wav: gone");
    EXPECT_EQ(os.speech, std::vector<std::string>{"cannot load the clip b.wav: gone|0|100"});
    ASSERT_GT(os.sounds.size(), from);
    EXPECT_EQ(os.sounds[from].op, "stop") << "the welcome went on under the report";
}

TEST_F(Startup, AFailingSoundDeviceGivesTheMessageAndEndsBeforeTheChart) {
    os.soundfails = true;
    fs::remove(programdir / "soundchart.txt");  // would fail if it were read
    start();
    EXPECT_EQ(os.endstatus, 1);  // a failure, not a choice of the player's
    ASSERT_EQ(os.messages.size(), 1u);
    EXPECT_EQ(os.messages[0].rfind("Unable to open the sound device.", 0), 0u) << os.messages[0];
    EXPECT_EQ(Module1.chartcount, 0);
    EXPECT_TRUE(fs::exists(workdir / "myversion.txt"));
}

TEST_F(Startup, AMissingChartEndsWithItsName) {
    fs::remove(programdir / "soundchart.txt");
    try {
        Form_Load();
        FAIL();
    } catch (const Failure& f) {
        EXPECT_NE(std::string(f.what()).find((programdir / "soundchart.txt").string()),
                  std::string::npos)
            << f.what();
    }
}

TEST_F(Startup, AMalformedChartNamesItsFileAndLine) {
    writefile(programdir / "soundchart.txt", "\\sounds\\a.wav\r\n1\r\n\\sounds\\b.wav\r\n");
    try {
        Form_Load();
        FAIL();
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()), (programdir / "soundchart.txt").string() +
                                             ":3: the clip \"\\sounds\\b.wav\" has no length "
                                             "line after it");
    }
}

// voice.txt's clue text is what voxlet says and its view texts what the
// view shows; its language leaves a lone A of a sentence as written, for a
// voice that already says it as the letter.
TEST_F(Startup, VoiceTxtGivesTheGamesOwnWordsAndTheSentencesLanguage) {
    writefile(programdir / "voice.txt",
              "voice=de\nlanguage=de\nclue=Hinweis {n}\nviewclue={n}. von {m} Hinweisen\n"
              "viewmenu=Hauptmenü\nviewintro=Einführung\nviewpuzzle=Rätsel {n}\n"
              "viewexit=Beenden\nviewneweasy=Neues leichtes Rätsel\n"
              "viewnewmedium=Neues mittleres Rätsel\nviewnewhard=Neues schweres Rätsel\n");
    writefile(workdir / "puzz1.txt", twopuzzle);
    start();
    ticks(1);
    for (int i = 0; i < 9; ++i) key(keyTab);  // every item of the menu
    std::vector<std::string> menu;
    for (const auto& screen : os.screens) menu.push_back(screen.lines.at(1));
    EXPECT_EQ(menu, (std::vector<std::string>{"Hauptmenü", "Einführung", "Rätsel 1", "Rätsel 2",
                                              "Rätsel 3", "Rätsel 4", "Neues leichtes Rätsel",
                                              "Neues mittleres Rätsel", "Neues schweres Rätsel",
                                              "Beenden"}));
    key(keyEscape);
    choose(1);
    EXPECT_EQ(Form1.screen.at(1), "Rätsel 1 \u00b7 1. von 2 Hinweisen");
    key(keyEnter);
    key(keyTab);
    EXPECT_EQ(os.spawned,
              (std::vector<std::string>{"voxlet 100,2,Hinweis 1", "voxlet 100,2,Hinweis 2"}));
    key(keyTab);
    key(keyH);
    EXPECT_EQ(os.speech, std::vector<std::string>{"A B times C equals D E|0|100"});
}

// A hand-edited voice.txt the game cannot use leaves it speaking with its
// defaults; the player hears why, by file name and line, before the welcome.
TEST_F(Startup, AFaultyVoiceTxtIsSaidAndTheDefaultsAreUsed) {
    writefile(programdir / "voice.txt", "language=de\nclue=Hinweis\n");
    writefile(workdir / "puzz1.txt", twopuzzle);
    start();
    EXPECT_EQ(os.endstatus, -1);
    const std::string where = (programdir / "voice.txt").string() + ":2: ";
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_EQ(os.notes[0].rfind(where, 0), 0u) << os.notes[0];
    ASSERT_EQ(os.speech.size(), 1u);
    EXPECT_EQ(os.speech[0].rfind("voice.txt:2: ", 0), 0u) << os.speech[0];
    ticks(1);
    choose(1);
    key(keyEnter);
    EXPECT_EQ(os.spawned, std::vector<std::string>{"voxlet 100,2,Clue 1"});
}

// --- Pause ------------------------------------------------------------------

class Pause : public Rig {
  protected:
    void SetUp() override {
        start();
        ticks(1);
    }
};

TEST_F(Pause, HoldZeroReturnsAtOnceAndHandlesNothing) {
    os.press(keyQ);
    long before = os.now;
    hold(0);
    EXPECT_EQ(os.now, before);
    EXPECT_EQ(Module1.menuitem, 0);
}

TEST_F(Pause, TicksAndKeysAreHandledDuringAPause) {
    os.pressat(os.now + 120, keyTab);
    Form1.List1.push_back(dir() + "\\sounds\\a.wav");
    long begun = os.now;
    hold(1);
    EXPECT_EQ(os.now - begun, 1000);
    EXPECT_EQ(Module1.menuitem, 1);  // the Tab was answered inside the pause
    // a.wav at the first tick, then the Tab's announcement.
    EXPECT_EQ(os.plays(),
              (std::vector<std::string>{"0: \\sounds\\welcome.wav", "0: \\sounds\\a.wav",
                                        "0: \\sounds\\intro.wav"}));
    EXPECT_FALSE(Form1.holder.Enabled);
    EXPECT_EQ(Form1.holder.Interval, 0);
    EXPECT_EQ(os.clock.timers[1].interval, 0);
}

// A handler that pauses inside another pause.
void innerpause(int& KeyCode, int&, bool) {
    if (KeyCode == keyP) hold(0.5);
}

TEST_F(Pause, APauseStartedInsideAnotherEndsBoth) {
    os.handlers.keydown = innerpause;
    long begun = os.now;
    os.pressat(begun + 1000, keyP);
    hold(2.5);
    EXPECT_EQ(os.now - begun, 1500);
    EXPECT_FALSE(Form1.holder.Enabled);
    EXPECT_EQ(Form1.holder.Interval, 0);
}

TEST_F(Pause, LengthsRoundHalvesToEven) {
    long begun = os.now;
    hold(0.0005);  // 0.5 ms rounds to 0: no pause at all
    EXPECT_EQ(os.now, begun);
    hold(0.0015);  // 1.5 ms rounds to 2
    EXPECT_EQ(os.now - begun, 2);
    EXPECT_THROW(hold(70), Failure);
}

}  // namespace
}  // namespace corvale::testing
