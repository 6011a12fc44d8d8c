// Trimming live speech to its audible samples: whatever way the engine cuts
// the stream into chunks, what passes runs from the first audible sample to
// the last, pauses between words kept.
#include <gtest/gtest.h>

#include <vector>

#include "speech/trim.h"

namespace corvale::speech {
namespace {

constexpr int16_t Q = 150, L = 3000;  // quiet and loud; -L is loud too

struct Stream {
    const char* name;
    std::vector<std::vector<int16_t>> chunks;
    std::vector<int16_t> passed;
};

void PrintTo(const Stream& s, std::ostream* out) {
    *out << s.name;
}

class Trimming : public ::testing::TestWithParam<Stream> {};

TEST_P(Trimming, PassesFromTheFirstAudibleSampleToTheLast) {
    std::vector<int16_t> passed;
    Trimmer trim([&](const int16_t* s, std::size_t n) { passed.insert(passed.end(), s, s + n); });
    for (const auto& chunk : GetParam().chunks) trim.feed(chunk.data(), chunk.size());
    EXPECT_EQ(passed, GetParam().passed);
}

INSTANTIATE_TEST_SUITE_P(
    Speech, Trimming,
    ::testing::Values(
        Stream{"onechunk", {{0, Q, -Q, L, Q, -L, Q, 0}}, {L, Q, -L}},
        Stream{"pausebetweenchunks", {{Q, L, Q}, {0, 0}, {Q, -L, 0}}, {L, Q, 0, 0, Q, -L}},
        Stream{"quietchunksfirst", {{0, Q}, {}, {Q, L}}, {L}},
        Stream{
            "thresholditself", {{quiet, quiet + 1, -quiet - 1, -quiet}}, {quiet + 1, -quiet - 1}},
        Stream{"nothingaudible", {{0, Q, -Q}, {Q}}, {}}));

}  // namespace
}  // namespace corvale::speech
