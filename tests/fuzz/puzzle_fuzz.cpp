// Fuzz target: the puzzle file reader. Whatever the bytes, it either reads
// a puzzle within the game's bounds or refuses it with a short message that
// names the file and a line.
#include <cstddef>
#include <cstdint>
#include <string>

#include "puzzle/reader.h"
#include "tests/support/fuzzcheck.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

namespace {

bool symbol(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    corvale::Puzzle puzzle;
    const std::string error = corvale::readpuzzle(text, "puzz1.txt", puzzle);
    if (!error.empty()) {
        checkrefusal(error, "puzz1.txt");
        return 0;
    }
    check(puzzle.cluecount >= 0 && puzzle.cluecount <= 16);
    for (int row = 1; row <= puzzle.cluecount; ++row) {
        const std::size_t i = static_cast<std::size_t>(row);
        for (const std::string* word : {&puzzle.cluea[i], &puzzle.clueb[i], &puzzle.cluec[i]}) {
            check(word->size() <= 4);
            for (char c : *word) check(symbol(c));
        }
        check(puzzle.cluetext[i].size() <= 120);
        check(puzzle.clueop[i].size() <= 16);
    }
    for (const std::string& key : puzzle.answerkey) check(key.size() <= 16);
    return 0;
}
