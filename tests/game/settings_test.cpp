// The player's settings in the game: the rate and volume keys change what the
// voice, voxlet and the sound device are asked for, each change is heard at
// once and saved in the settings file, and a settings file the game cannot
// read is told aloud, played past with the defaults, and never written over.
#include <map>

#include "tests/game/rig.h"

namespace corvale::testing {
namespace {

class Settings : public Rig {
  protected:
    fs::path file = root / "config" / "corvale" / "settings.txt";
    Settings() {
        os.settingsfile = file.string();
        writefile(programdir / "puzz1.txt", twopuzzle);
    }
    std::string lastspeech() const { return os.speech.empty() ? "" : os.speech.back(); }
    // The clips played since `from`, each with the volume the device last
    // had for its channel when it started: "clip volume".
    std::vector<std::string> heardsince(std::size_t from) const {
        std::vector<std::string> out;
        std::map<int, int> volume;
        for (std::size_t i = 0; i < os.sounds.size(); ++i) {
            const SoundCall& call = os.sounds[i];
            if (call.op == "load") volume[call.channel] = 0;
            if (call.op == "volume") volume[call.channel] = call.value;
            if (call.op == "play" && i >= from)
                out.push_back(call.clip + " " + std::to_string(volume[call.channel]));
        }
        return out;
    }
};

TEST_F(Settings, KeysChangeWhatThePlayerHearsAndAreSaved) {
    start();
    choose(1);
    struct Step {
        int key;
        const char* speech;  // the sample the live voice says, "" for none
        std::vector<std::string> heard;
        const char* saved;  // the line the file holds after it
    };
    // 90 percent of the amplitude is -0.92 dB.
    const Step steps[] = {
        {keyF6, "1|1|100", {}, "rate=1"},
        {keyF6, "2|2|100", {}, "rate=2"},
        {keyF5, "1|1|100", {}, "rate=1"},
        {keyF7, "9|1|90", {}, "voicevolume=90"},
        {keyF9, "", {"\\sounds\\9.wav -92"}, "clipvolume=90"},
        {keyF11, "", {"\\sounds\\click.wav -92"}, "effectvolume=90"},
        {keyF12, "", {"\\sounds\\click.wav 0"}, "effectvolume=100"},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.saved);
        const std::size_t heard = os.speech.size(), from = mark();
        key(step.key);
        ticks(2);
        EXPECT_EQ(os.speech.size() - heard, *step.speech ? 1u : 0u);
        if (*step.speech) {
            EXPECT_EQ(lastspeech(), step.speech);
        }
        EXPECT_EQ(heardsince(from), step.heard);
        EXPECT_NE(readfile(file).find(std::string("\n") + step.saved + "\n"), std::string::npos)
            << readfile(file);
    }
    // What the game says from now on goes at the player's rate and volume:
    // the sentence, the clue number by voxlet (its own rate 2 plus theirs),
    // and the recorded row on the voice channel.
    key(keyH);
    ticks(10);
    EXPECT_EQ(lastspeech(), "Eigh B times C equals D E|1|90");
    const std::size_t from = mark();
    key(keyEnter);
    ticks(20);
    EXPECT_EQ(os.spawned.back(), "voxlet 90,3,Clue 1");
    const std::vector<std::string> row = heardsince(from);
    ASSERT_FALSE(row.empty());
    for (const std::string& clip : row) EXPECT_EQ(clip.substr(clip.size() - 4), " -92") << clip;
}

TEST_F(Settings, AreReadBackAtTheNextStartAndKeysStopAtTheirEnds) {
    fs::create_directories(file.parent_path());
    const std::string edited = "rate=10\nclipvolume=5\n";
    writefile(file, edited);
    start();
    key(keyF6);
    EXPECT_EQ(lastspeech(), "10|10|100");  // no faster, and says so
    const std::size_t from = mark();
    key(keyF9);  // already below where the key stops: never made louder
    ticks(2);
    EXPECT_EQ(heardsince(from), std::vector<std::string>{"\\sounds\\1.wav -2602"});
    EXPECT_EQ(readfile(file), edited);  // nothing changed, nothing written
}

TEST_F(Settings, AnUnreadableFileIsToldAndKeptAndTheDefaultsPlay) {
    fs::create_directories(file.parent_path());
    writefile(file, "rate=2\nvoicevolume=loud\n");
    start();
    const std::string where = file.string() + ":2:";
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_EQ(os.notes[0].rfind(where, 0), 0u) << os.notes[0];
    // Said aloud, by the file's name alone, before the welcome.
    ASSERT_FALSE(os.speech.empty());
    EXPECT_EQ(os.speech[0].rfind("settings.txt:2: ", 0), 0u) << os.speech[0];
    EXPECT_FALSE(os.ended);
    EXPECT_EQ(Module1.settings.rate, 0);

    key(keyF6);
    EXPECT_EQ(lastspeech(), "1|1|100");
    EXPECT_EQ(readfile(file.string() + ".unreadable"), "rate=2\nvoicevolume=loud\n");
    EXPECT_NE(readfile(file).find("\nrate=1\n"), std::string::npos);
}

TEST_F(Settings, ASaveThatFailsIsNotedOnceAndTheChangeHolds) {
    os.failfile = "settings.txt";
    os.failstep = "rename";
    start();
    keys({keyF6, keyF6});
    EXPECT_EQ(lastspeech(), "2|2|100");
    ASSERT_EQ(os.notes.size(), 1u);
    EXPECT_NE(os.notes[0].find("settings.txt"), std::string::npos) << os.notes[0];
    EXPECT_FALSE(os.ended);
}

}  // namespace
}  // namespace corvale::testing
