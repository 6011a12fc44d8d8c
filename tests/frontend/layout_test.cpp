// The large-print view's layout: the clue keeps its size however full the
// pad, a caption's lines share one size, and every line stays inside the
// window at any window size.
#include <gtest/gtest.h>

#include "frontend/sdl/layout.h"

namespace corvale {
namespace {

// A font of fixed pitch for the test: at 100 points a byte is 60 pixels
// wide and a line 116 pixels high.
constexpr int refsize = 100, skip = 116;

std::vector<Placed> placed(const std::vector<std::string>& lines, int width, int height) {
    std::vector<int> widths;
    for (const std::string& line : lines) widths.push_back(static_cast<int>(line.size()) * 60);
    return layout(lines, widths, refsize, skip, width, height);
}

// A puzzle's view with `padlines` lines of pad.
std::vector<std::string> puzzle(int padlines) {
    std::vector<std::string> lines{"Enter repeats the clue.", "", "Puzzle 1 \u00b7 Clue 1 of 2",
                                   "AB \u00d7 C = DE", ""};
    for (int i = 0; i < padlines; ++i) lines.push_back("A=1  B=2  C=3  D=4  E=5");
    return lines;
}

TEST(Layout, TheClueKeepsItsSizeAsThePadFills) {
    for (auto [width, height] : {std::pair{640, 480}, {1920, 1080}, {900, 300}}) {
        SCOPED_TRACE(std::to_string(width) + "x" + std::to_string(height));
        const Placed clue = placed(puzzle(0), width, height)[3];
        EXPECT_GT(clue.size, 20);
        for (int padlines : {1, 2, 5, 10}) {
            const std::vector<Placed> full = placed(puzzle(padlines), width, height);
            EXPECT_EQ(full[3].size, clue.size) << padlines << " pad lines";
            EXPECT_EQ(full[3].top, clue.top) << padlines << " pad lines";
        }
    }
}

// A sentence broken into lines reads as one: its lines share one size.
TEST(Layout, TheLinesOfWhatIsSaidShareOneSize) {
    const std::vector<Placed> got =
        placed({"Press Enter to hear the first", "clue.", "", "Puzzle 1", "AB = C"}, 640, 480);
    EXPECT_EQ(got[0].size, got[1].size);
    EXPECT_LT(got[1].size, got[3].size);
}

TEST(Layout, EveryLineFitsTheWindowAndNoneOverlaps) {
    const std::vector<std::string> menu{"Welcome to Corvale, a puzzle", "of letters and digits.",
                                        "", "Main menu"};
    for (const auto& lines : {puzzle(10), menu, std::vector<std::string>{"Exit"}}) {
        for (auto [width, height] : {std::pair{640, 480}, {320, 200}, {3840, 2160}}) {
            const std::vector<Placed> got = placed(lines, width, height);
            int below = 0;  // where the line before ended
            for (std::size_t i = 0; i < lines.size(); ++i) {
                SCOPED_TRACE(lines[i] + " at " + std::to_string(width) + "x" +
                             std::to_string(height));
                if (lines[i].empty()) {
                    EXPECT_EQ(got[i].size, 0);
                    continue;
                }
                const int wide = static_cast<int>(lines[i].size()) * 60 * got[i].size / refsize;
                const int high = skip * got[i].size / refsize;
                EXPECT_LE(wide, width - 2 * (width / 20));
                EXPECT_GE(got[i].top, below);
                below = got[i].top + high;
                EXPECT_LE(below, height);
            }
        }
    }
}

}  // namespace
}  // namespace corvale
