// The audio engine on the virtual clock: channel rotation and reuse, the
// voice queue held for each clip's charted length, and the schedule.
#include "audio/audio.h"
#include "rig.h"

namespace corvale::testing {
namespace {

class Audio : public Rig {
  protected:
    void startwith(const std::string& chart) {
        writefile(programdir / "soundchart.txt", chart);
        start();
        ticks(1);  // the welcome clip
        os.sounds.clear();
    }
    void queue(const std::string& clip) { Form1.List1.push_back(dir() + clip); }
};

// --- Channels ---------------------------------------------------------------

TEST_F(Audio, MakesoundRotatesThroughTheOneShotChannels) {
    startwith("");
    for (int i = 0; i < 14; ++i) makesound(dir() + "\\sounds\\click.wav", 0, 0);
    std::vector<std::string> expected;
    for (int ch = 4; ch <= 16; ++ch)
        expected.push_back(std::to_string(ch) + ": \\sounds\\click.wav");
    expected.push_back("4: \\sounds\\click.wav");
    EXPECT_EQ(os.plays(), expected);
}

TEST_F(Audio, SameClipReusesTheBufferAndAnotherCutsTheOldOneOff) {
    startwith("");
    for (int i = 0; i < 13; ++i) makesound(dir() + "\\sounds\\a.wav", 0, 0);
    os.sounds.clear();
    makesound(dir() + "\\sounds\\a.wav", 0, 0);  // channel 4 again, same path
    EXPECT_EQ(os.loads("\\sounds\\a.wav"), 0);
    for (int i = 0; i < 12; ++i) makesound(dir() + "\\sounds\\a.wav", 0, 0);
    os.sounds.clear();
    makesound(dir() + "\\sounds\\A.wav", 0, 0);  // letter case counts: a reload
    ASSERT_GE(os.sounds.size(), 3u);
    EXPECT_EQ(os.sounds[0].op, "load");
    EXPECT_EQ(os.sounds[1].op, "release");  // the old clip stops when its buffer goes
    EXPECT_EQ(os.sounds[1].clip, "\\sounds\\a.wav");
    EXPECT_EQ(os.plays(), std::vector<std::string>{"4: \\sounds\\A.wav"});
}

TEST_F(Audio, VolumeAndPanOnlyReachALoadedChannel) {
    startwith("");
    setvol(5, -300);
    setpan(5, 200);
    EXPECT_TRUE(os.sounds.empty());
    setsound(5, dir() + "\\sounds\\b.wav");
    setsound(5, "");  // an empty path leaves the channel as it was
    EXPECT_EQ(Form1.soundfile[5], dir() + "\\sounds\\b.wav");
    setvol(5, -300);
    ASSERT_EQ(os.sounds.back().op, "volume");
    EXPECT_EQ(os.sounds.back().value, -300);
}

TEST_F(Audio, AClipThatCannotLoadEndsTheGameAndStoresNothing) {
    startwith("");
    os.missingclips.insert("\\sounds\\gone.wav");
    EXPECT_THROW(setsound(6, dir() + "\\sounds\\gone.wav"), Failure);
    EXPECT_EQ(Form1.soundfile[6], "");
    EXPECT_THROW(setsound(17, dir() + "\\sounds\\b.wav"), Failure);
}

// --- Voice queue and tick ---------------------------------------------------

struct HoldCase {
    std::string chart;
    int ticksheld;  // ticks between the first clip and the second
};

void PrintTo(const HoldCase& c, std::ostream* out) {
    *out << "chart \"" << c.chart << "\"";
}

class VoiceHold : public Audio, public ::testing::WithParamInterface<HoldCase> {};

TEST_P(VoiceHold, AClipHoldsChannelZeroForItsChartedTicks) {
    startwith(GetParam().chart);
    queue("\\sounds\\a.wav");
    queue("\\sounds\\b.wav");
    long origin = os.now;
    ticks(30);
    EXPECT_EQ(
        timedsince(0, origin),
        (std::vector<std::string>{"1 \\sounds\\a.wav",
                                  std::to_string(1 + GetParam().ticksheld) + " \\sounds\\b.wav"}));
}

INSTANTIATE_TEST_SUITE_P(
    Chart, VoiceHold,
    ::testing::Values(HoldCase{"\\sounds\\a.wav\r\n3\r\n", 6},     // 0.3 s: 6 ticks
                      HoldCase{"", 1},                             // not charted
                      HoldCase{"\\sounds\\a.wav\r\n0\r\n", 1},     // charted at 0
                      HoldCase{"\\SOUNDS\\A.WAV\r\n2\r\n", 4},     // case ignored
                      HoldCase{"\\sounds\\a.wav\r\n1.25\r\n", 2},  // 2.5 ticks
                      HoldCase{"\\sounds\\a.wav\r\n5\r\n\\sounds\\a.wav\r\n8\r\n", 16},
                      HoldCase{"\\sounds\\a.wav\n4\n", 8}));  // LF line ends

TEST_F(Audio, AnAnnouncementReplacesTheSoundingClipAndDropsTheQueue) {
    startwith("\\sounds\\a.wav\r\n50\r\n");
    queue("\\sounds\\a.wav");
    queue("\\sounds\\b.wav");
    ticks(3);
    announce("\\sounds\\c.wav");
    ticks(200);
    EXPECT_EQ(os.plays(), (std::vector<std::string>{"0: \\sounds\\a.wav", "0: \\sounds\\c.wav"}));
}

TEST_F(Audio, TheVoiceChannelReloadsEveryClip) {
    startwith("");
    queue("\\sounds\\a.wav");
    queue("\\sounds\\a.wav");
    ticks(3);
    EXPECT_EQ(os.loads("\\sounds\\a.wav"), 2);
    EXPECT_EQ(Module1.voicewait, 0);
}

// --- Chart loader -----------------------------------------------------------

struct BadChart {
    std::string text;
    std::string message;  // what the report must say, after the file name
};

void PrintTo(const BadChart& c, std::ostream* out) {
    *out << c.message;
}

class ChartErrors : public Audio, public ::testing::WithParamInterface<BadChart> {};

TEST_P(ChartErrors, AMalformedChartNamesItsFileAndLine) {
    try {
        loadchart(GetParam().text, "soundchart.txt");
        FAIL() << "accepted";
    } catch (const Failure& f) {
        EXPECT_EQ(std::string(f.what()).rfind("soundchart.txt:" + GetParam().message, 0), 0u)
            << f.what();
    }
}

std::string manyentries(int n) {
    std::string text;
    for (int i = 0; i < n; ++i) text += "\\sounds\\x" + std::to_string(i) + ".wav\r\n1\r\n";
    return text;
}

INSTANTIATE_TEST_SUITE_P(Chart, ChartErrors,
                         ::testing::Values(BadChart{"\\sounds\\a.wav\r\n3\r\n\\sounds\\b.wav\r\n",
                                                    "3: the clip"},
                                           BadChart{"\\sounds\\a.wav\r\nlong\r\n", "2: the length"},
                                           BadChart{"\\sounds\\a.wav\r\n-1\r\n", "2: the length"},
                                           BadChart{"\\sounds\\a.wav\r\n3x\r\n", "2: the length"},
                                           BadChart{manyentries(501), "1001: more than 500"}));

TEST_F(Audio, FiveHundredEntriesFitAndTrailingBlankLinesAreNoEntry) {
    loadchart(manyentries(500) + "\r\n\r\n", "soundchart.txt");
    EXPECT_EQ(Module1.chartcount, 500);
    EXPECT_DOUBLE_EQ(Module1.chartticks[500], 2);
}

// --- Schedule ---------------------------------------------------------------

TEST_F(Audio, EntriesFireOnTheirTickInSlotOrder) {
    startwith("");
    newprize(dir() + "\\sounds\\c.wav", 0, 0, 21);
    newprize(dir() + "\\sounds\\a.wav", 0, 0, 0);
    newprize(dir() + "\\sounds\\b.wav", 0, 0, 9);
    newprize(dir() + "\\sounds\\d.wav", 0, 0, 1);
    long origin = os.now;
    ticks(25);
    EXPECT_EQ(timedsince(0, origin),
              (std::vector<std::string>{"1 \\sounds\\a.wav", "1 \\sounds\\d.wav",
                                        "9 \\sounds\\b.wav", "21 \\sounds\\c.wav"}));
}

TEST_F(Audio, AFreedSlotIsReusedFirst) {
    startwith("");
    newprize(dir() + "\\sounds\\a.wav", 0, 0, 5);
    newprize(dir() + "\\sounds\\b.wav", 0, 0, 1);
    newprize(dir() + "\\sounds\\c.wav", 0, 0, 5);
    ticks(1);
    newprize(dir() + "\\sounds\\d.wav", 0, 0, 5);
    EXPECT_EQ(Form1.schedclip[2], dir() + "\\sounds\\d.wav");
    EXPECT_EQ(Form1.schedcount, 3);
}

TEST_F(Audio, TheFiftyFirstEntryReplacesSlotFifty) {
    startwith("");
    for (int i = 1; i <= 50; ++i)
        newprize(dir() + "\\sounds\\x" + std::to_string(i) + ".wav", 0, 0, 5);
    newprize(dir() + "\\sounds\\last.wav", 0, 0, 5);
    EXPECT_EQ(Form1.schedcount, 50);
    EXPECT_EQ(Form1.schedclip[50], dir() + "\\sounds\\last.wav");
    EXPECT_EQ(Form1.schedclip[49], dir() + "\\sounds\\x49.wav");
}

TEST_F(Audio, ACancelSilencesEverythingPending) {
    startwith("");
    newprize(dir() + "\\sounds\\a.wav", 0, 0, 3);
    newprize(dir() + "\\sounds\\b.wav", 0, 0, 4);
    Form1.schedcount = 0;
    newprize(dir() + "\\sounds\\c.wav", 0, 0, 6);  // takes slot 1 whatever it held
    ticks(20);
    EXPECT_EQ(os.plays(), std::vector<std::string>{"4: \\sounds\\c.wav"});
}

TEST_F(Audio, TheLiveRangeShrinksOneSlotPerTick) {
    startwith("");
    for (int i = 0; i < 4; ++i) newprize(dir() + "\\sounds\\a.wav", 0, 0, 2);
    std::vector<int> counts;
    for (int i = 0; i < 6; ++i) {
        ticks(1);
        counts.push_back(Form1.schedcount);
    }
    EXPECT_EQ(counts, (std::vector<int>{4, 3, 2, 1, 0, 0}));
}

}  // namespace
}  // namespace corvale::testing
