// A lone capital A in a sentence is respelled so voices say the letter's name;
// everything else, and every sentence of another language, reaches the
// voice as written.
#include <gtest/gtest.h>

#include "speech/letters.h"

namespace corvale {
namespace {

TEST(SpokenLetters, OnlyALoneCapitalAIsRespelled) {
    const std::pair<const char*, const char*> cases[] = {
        {"A C minus F equals A D", "Eigh C minus F equals Eigh D"},
        {"A", "Eigh"},
        {"A, B", "Eigh, B"},
        {"H H times A equals D H A", "H H times Eigh equals D H Eigh"},
        {"AB times A2", "AB times A2"},  // part of a word stays
        {"a cat", "a cat"},              // the article in small letters stays
        {"Clue 3", "Clue 3"},
        {"", ""},
    };
    for (auto [text, spoken] : cases) EXPECT_EQ(spokenletters(text, "en"), spoken) << text;
}

TEST(SpokenLetters, OtherLanguagesAreLeftAsWritten) {
    for (const char* language : {"de", "es", "fr"})
        EXPECT_EQ(spokenletters("A mal B gleich A C", language), "A mal B gleich A C") << language;
}

}  // namespace
}  // namespace corvale
