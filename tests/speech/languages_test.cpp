// The clip tables of every language: each one the game can be built with
// reads cleanly and holds exactly the rows of the English table, so no
// language lacks a clip the game plays or a text it composes, and none has
// a row the game never asks for; and its composed texts are ones voice.txt
// takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "speech/voicefile.h"
#include "tools/clipgen/cliptable.h"

namespace corvale::clipgen {
namespace {

namespace fs = std::filesystem;

const fs::path sounds = fs::path(CORVALE_SOURCE_DIR) / "sounds";

std::set<std::string> rownames(const std::vector<Clip>& clips) {
    std::set<std::string> names;
    for (const Clip& c : clips) names.insert(c.name);
    return names;
}

// Every sounds/clips.xx.tsv beside the English table.
std::vector<fs::path> languagetables() {
    std::vector<fs::path> tables;
    for (const auto& entry : fs::directory_iterator(sounds)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("clips.") && name.ends_with(".tsv") && name != "clips.tsv")
            tables.push_back(entry.path());
    }
    std::sort(tables.begin(), tables.end());
    return tables;
}

TEST(Languages, GermanSpanishAndFrenchAreShipped) {
    for (const char* code : {"de", "es", "fr"})
        EXPECT_TRUE(fs::exists(sounds / ("clips." + std::string(code) + ".tsv"))) << code;
}

TEST(Languages, EveryTableHoldsExactlyTheEnglishRows) {
    const std::set<std::string> english = rownames(readtable((sounds / "clips.tsv").string()));
    ASSERT_TRUE(english.count("welcome") && english.count("text:clue"));
    for (const fs::path& table : languagetables()) {
        SCOPED_TRACE(table.string());
        const std::set<std::string> names = rownames(readtable(table.string()));
        std::vector<std::string> missing, extra;
        std::set_difference(english.begin(), english.end(), names.begin(), names.end(),
                            std::back_inserter(missing));
        std::set_difference(names.begin(), names.end(), english.begin(), english.end(),
                            std::back_inserter(extra));
        EXPECT_EQ(missing, std::vector<std::string>{}) << "rows of clips.tsv it lacks";
        EXPECT_EQ(extra, std::vector<std::string>{}) << "rows clips.tsv does not have";
    }
}

TEST(Languages, EveryComposedTextIsOneTheGameTakes) {
    std::vector<fs::path> tables = languagetables();
    tables.push_back(sounds / "clips.tsv");
    for (const fs::path& table : tables) {
        for (const Clip& c : readtable(table.string())) {
            if (!c.composed) continue;
            VoiceSettings settings;
            EXPECT_EQ(assign(settings, c.name.substr(std::string(composedprefix).size()), c.text),
                      "")
                << table.string() << ":" << c.line;
        }
    }
}

}  // namespace
}  // namespace corvale::clipgen
