// The clue reading with the clip set the build made: each row is read on the
// virtual clock and every clip, held for its charted length, must end before
// the next one starts. The spacing is fixed, so this is the clips' job.
#include <cmath>
#include <map>
#include <sstream>

#include "rig.h"

namespace corvale::testing {
namespace {

// Charted lengths in milliseconds, by clip name as the chart writes it.
std::map<std::string, long> chart() {
    std::istringstream lines(readfile(fs::path(CORVALE_GAME_DIR) / "soundchart.txt"));
    std::map<std::string, long> out;
    for (std::string name, tenths; std::getline(lines, name) && std::getline(lines, tenths);) {
        if (!name.empty() && name.back() == '\r') name.pop_back();
        out[name] = std::lround(std::stod(tenths) * 100);
    }
    return out;
}

// One row of each relation, a row of an unknown one, and rows whose words
// start or end in blanks; A..J so that through the pad every digit is read.
const char* const fitpuzzle =
    "6\r\n"
    "\"*\",AB__,C___,DE__,A B times C equals D E\r\n"
    "\"-\",FGHI,J___,FGHJ,F G H I minus J equals F G H J\r\n"
    "\"<\",W___,M___,____,W is less than M\r\n"
    "\"?\",A___,B___,C___,A what B\r\n"
    "\"*\",____,_B__,C___,times B equals C\r\n"
    "\"-\",__AB,__CD,__EF,A B minus C D equals E F\r\n"
    "A,B,C,D,E,F,G,H,I,J\r\n";

class Fit : public Rig, public ::testing::WithParamInterface<bool> {};

TEST_P(Fit, NoClipOfAReadingRunsIntoTheNext) {
    const std::map<std::string, long> lengths = chart();
    ASSERT_FALSE(lengths.empty()) << "no soundchart.txt in " << CORVALE_GAME_DIR;
    writefile(workdir / "puzz1.txt", fitpuzzle);
    std::vector<std::string> pad;
    for (char c : std::string("ABCDEFGHIJ")) pad.insert(pad.end(), {std::string(1, c), "0"});
    for (int d = 0; d < 10; ++d) pad[static_cast<std::size_t>(2 * d + 1)] = std::to_string(d);
    writefile(programdir / "scratch1.txt", scratchtext(pad));
    start();
    choose(1);
    if (GetParam()) key(keySpace);  // read through the pad: digits instead of letters

    for (int clue = 1; clue <= 6; ++clue) {
        std::size_t from = mark();
        key(clue == 1 ? keyEnter : keyTab);
        ticks(80);
        std::vector<std::pair<long, std::string>> heard;
        for (std::size_t i = from; i < os.sounds.size(); ++i)
            if (os.sounds[i].op == "play") heard.emplace_back(os.sounds[i].time, os.sounds[i].clip);
        ASSERT_GE(heard.size(), 2u) << "clue " << clue;
        for (std::size_t i = 0; i + 1 < heard.size(); ++i) {
            auto [at, clip] = heard[i];
            ASSERT_TRUE(lengths.count(clip)) << clip << " is not charted";
            EXPECT_LE(at + lengths.at(clip), heard[i + 1].first)
                << "clue " << clue << ": " << clip << " (" << lengths.at(clip) << " ms) runs into "
                << heard[i + 1].second;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(LettersAndDigits, Fit, ::testing::Values(false, true));

}  // namespace
}  // namespace corvale::testing
