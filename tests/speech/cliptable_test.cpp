// The clip table: the lines it takes, and for each kind of bad line a
// refusal that names the file and the line.
#include <gtest/gtest.h>

#include "platform/failure.h"
#include "tools/clipgen/cliptable.h"

namespace corvale::clipgen {
namespace {

TEST(ClipTable, ReadsClipsAndSkipsNotes) {
    const auto clips = parsetable(
        "# a note\r\n\r\nwelcome\tWelcome, player.\r\n_\tblank\t5\n  \nis2\tis, two\n"
        "w\tw\t8\t350\r\n"
        "text:clue\tClue {n}\n",
        "t.tsv");
    ASSERT_EQ(clips.size(), 5u);
    EXPECT_EQ(clips[0].name, "welcome");
    EXPECT_EQ(clips[0].text, "Welcome, player.");
    EXPECT_EQ(clips[0].rate, 0);
    EXPECT_EQ(clips[1].name, "_");
    EXPECT_EQ(clips[1].rate, 5);
    EXPECT_EQ(clips[2].text, "is, two");
    EXPECT_EQ(clips[0].longest, 0) << "no limit unless one is given";
    EXPECT_EQ(clips[3].rate, 8);
    EXPECT_EQ(clips[3].longest, 350);
    EXPECT_FALSE(clips[3].composed);
    EXPECT_EQ(clips[4].name, "text:clue");
    EXPECT_TRUE(clips[4].composed);
    EXPECT_EQ(clips[4].line, 8);
}

TEST(ClipTable, BadLineIsNamedByFileAndLine) {
    struct Case {
        const char* content;
        const char* where;
        const char* what;
    };
    // clang-format off
    const Case cases[] = {
        {"a\tay\nb bee\n",              "clips.tsv:2:", "no tab"},
        {"# note\n\nA\tay\n",           "clips.tsv:3:", "\"A\""},
        {"a.wav\tay\n",                 "clips.tsv:1:", "\"a.wav\""},
        {"\tay\n",                      "clips.tsv:1:", "clip name"},
        {"a\t  \n",                     "clips.tsv:1:", "no text"},
        {"a\t\n",                       "clips.tsv:1:", "no text"},
        {"a\tay\t21\n",                 "clips.tsv:1:", "rate 21"},
        {"a\tay\tfast\n",               "clips.tsv:1:", "\"fast\""},
        {"a\tay\t\n",                   "clips.tsv:1:", "rate"},
        {"a\tay\t1\textra\n",           "clips.tsv:1:", "\"extra\""},
        {"a\tay\t1\t0\n",               "clips.tsv:1:", "longest \"0\""},
        {"a\tay\t1\t-5\n",              "clips.tsv:1:", "longest \"-5\""},
        {"a\tay\t1\t350\tx\n",          "clips.tsv:1:", "four"},
        {"a\tay\nb\tbee\na\tay again\n", "clips.tsv:3:", "twice"},
        {"win\tyou win\n",              "clips.tsv:1:", "clipgen itself"},
        {"text:\tClue {n}\n",           "clips.tsv:1:", "\"text:\""},
        {"text:Clue\tClue {n}\n",       "clips.tsv:1:", "\"text:Clue\""},
        {"text:clue\tClue {n}\t2\n",    "clips.tsv:1:", "no rate"},
        {"text:clue\tA\ntext:clue\tB\n", "clips.tsv:2:", "twice"},
    };
    // clang-format on
    for (const Case& c : cases) {
        SCOPED_TRACE(c.content);
        try {
            parsetable(c.content, "clips.tsv");
            ADD_FAILURE() << "the table was taken";
        } catch (const Failure& e) {
            const std::string message = e.what();
            EXPECT_EQ(message.rfind(c.where, 0), 0u) << message;
            EXPECT_NE(message.find(c.what), std::string::npos) << message;
        }
    }
}

TEST(ClipTable, MissingFileIsNamed) {
    try {
        readtable("/nonexistent/clips.tsv");
        ADD_FAILURE() << "a missing table was taken";
    } catch (const Failure& e) {
        EXPECT_NE(std::string(e.what()).find("/nonexistent/clips.tsv"), std::string::npos);
    }
}

}  // namespace
}  // namespace corvale::clipgen
