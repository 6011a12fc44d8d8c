// The sound device's units turned into the mixer's levels.
#include <gtest/gtest.h>

#include "frontend/sdl/units.h"

namespace corvale {
namespace {

TEST(Units, VolumeIsAttenuationInHundredthsOfADecibel) {
    EXPECT_EQ(mixervolume(0), 128);     // full
    EXPECT_EQ(mixervolume(-602), 64);   // 6.02 dB: half the amplitude
    EXPECT_EQ(mixervolume(-2000), 13);  // 20 dB: a tenth
    EXPECT_EQ(mixervolume(-10000), 0);  // silent
}

TEST(Units, PanAttenuatesOnlyTheSideAwayFromIt) {
    struct Case {
        int pan, left, right;
    };
    for (Case c : {Case{0, 255, 255}, Case{602, 128, 255}, Case{-602, 255, 128},
                   Case{10000, 0, 255}, Case{-10000, 255, 0}}) {
        SCOPED_TRACE(c.pan);
        Panning level = mixerpanning(c.pan);
        EXPECT_EQ(level.left, c.left);
        EXPECT_EQ(level.right, c.right);
    }
}

}  // namespace
}  // namespace corvale
