// voxlet's command tail: how a tail is split, trimmed and floored, and which
// tails are refused before anything is spoken.
#include <gtest/gtest.h>

#include "voxlet/tail.h"

namespace corvale::voxlet {
namespace {

struct Case {
    const char* tail;
    int volume;
    int rate;
    const char* text;
    const char* error;  // a word the refusal must contain; nullptr when read
};

// clang-format off
const Case cases[] = {
    {"100,2,Clue 3",          100,  2, "Clue 3",       nullptr},
    {"100,2,Hello, world",    100,  2, "Hello, world", nullptr},
    {"   100,2,hi there   ",  100,  2, "hi there",     nullptr},
    {"100, 2, text",          100,  2, " text",        nullptr},
    {" 100 , 2 ,x",           100,  2, "x",            nullptr},
    {"100,2,",                100,  2, "",             nullptr},
    {"100,2,,,",              100,  2, ",,",           nullptr},
    {"2.7,2.7,x",               2,  2, "x",            nullptr},
    {"-0.5,-0.5,x",            -1, -1, "x",            nullptr},
    {"-3,-10.1,x",             -3, -11, "x",           nullptr},
    {"+5,.5,x",                 5,  0, "x",            nullptr},
    {"100,2",                   0,  0, "",             "two commas"},
    {"100",                     0,  0, "",             "two commas"},
    {"",                        0,  0, "",             "empty"},
    {"    ",                    0,  0, "",             "empty"},
    {"x,2,hi",                  0,  0, "",             "volume"},
    {"100,x,hi",                0,  0, "",             "rate"},
    {",2,hi",                   0,  0, "",             "volume"},
    {"100, ,hi",                0,  0, "",             "rate"},
    {"1-2,2,hi",                0,  0, "",             "volume"},
    {"inf,2,hi",                0,  0, "",             "volume"},
    {"100,nan,hi",              0,  0, "",             "rate"},
    {"++5,2,hi",                0,  0, "",             "volume"},
    {"99999999999,2,hi",        0,  0, "",             "volume"},
};
// clang-format on

TEST(VoxletTail, ReadsOrRefusesEachTail) {
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("tail \"") + c.tail + "\"");
        const Tail t = parsetail(c.tail);
        if (c.error) {
            EXPECT_NE(t.error.find(c.error), std::string::npos) << "error was: " << t.error;
            continue;
        }
        EXPECT_EQ(t.error, "");
        EXPECT_EQ(t.volume, c.volume);
        EXPECT_EQ(t.rate, c.rate);
        EXPECT_EQ(t.text, c.text);
    }
}

TEST(VoxletTail, ArgumentsJoinWithSingleSpaces) {
    const char* split[] = {"voxlet", "100,2,Clue", "3"};
    const char* quoted[] = {"voxlet", "100,2,Clue 3"};
    const char* none[] = {"voxlet"};
    EXPECT_EQ(jointail(3, split), "100,2,Clue 3");
    EXPECT_EQ(jointail(2, quoted), "100,2,Clue 3");
    EXPECT_EQ(jointail(1, none), "");
}

}  // namespace
}  // namespace corvale::voxlet
