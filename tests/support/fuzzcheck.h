// What every fuzz target asserts, written once: a broken promise stops the
// fuzzer where it happened (libFuzzer keeps the input that did it), and a
// refused input gets a message fit to be spoken and reported: short, and
// naming the file first ("puzz1.txt:3: ...").
#pragma once

#include <cstddef>
#include <string_view>

namespace corvale::fuzz {

// A trap, not an assert: it holds in every build type and every sanitizer
// sees it as a crash.
inline void check(bool ok) {
    if (!ok) __builtin_trap();
}

// The longest refusal a player should have to hear.
constexpr std::size_t longestrefusal = 400;

// A refusal of an input read as FILE starts with "FILE:"; a reader that
// knows no file name (FILE empty) need only be brief.
inline void checkrefusal(std::string_view message, std::string_view file = {}) {
    check(!message.empty() && message.size() < longestrefusal);
    if (!file.empty())
        check(message.substr(0, file.size()) == file && message.size() > file.size() &&
              message[file.size()] == ':');
}

}  // namespace corvale::fuzz
