// Fuzz target: the clip-length chart reader. It either fills the chart with
// at most 500 entries whose lengths fit the voice wait, or ends the game
// with a Failure naming the file and a line.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

#include "audio/audio.h"
#include "platform/failure.h"
#include "state/game.h"
#include "tests/support/fuzzcheck.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    corvale::Module1.chartcount = 0;
    try {
        corvale::loadchart(text, "soundchart.txt");
    } catch (const corvale::Failure& f) {
        const std::string message = f.what();
        checkrefusal(message, "soundchart.txt");
        return 0;
    }
    check(corvale::Module1.chartcount >= 0 && corvale::Module1.chartcount <= 500);
    for (int i = 1; i <= corvale::Module1.chartcount; ++i) {
        const double ticks = corvale::Module1.chartticks[i];
        check(std::isfinite(ticks) && ticks >= 0 && ticks <= 12000);
        // The tick floors the length into the voice wait: it must fit an int.
        check(static_cast<int>(std::floor(ticks)) >= 0);
    }
    return 0;
}
