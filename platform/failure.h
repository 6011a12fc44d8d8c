// The one way a failure leaves the game: a Failure carrying a message that
// names what failed and where. Game code never catches it, save where a
// player's saved file that cannot be read is set aside (puzzle/newgame.cpp);
// the program's entry point reports it once and ends.
#pragma once

#include <array>
#include <cstddef>
#include <stdexcept>
#include <string>

namespace corvale {

struct Failure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

[[noreturn]] inline void fail(const std::string& message) {
    throw Failure(message);
}

// The one line every program of the game writes for whoever started it, on
// standard error: "corvale: text" (or the helper's own name). Reports of
// failures, notes the player also hears, and refusals of a command line all
// come through here, so they read alike.
void report(const std::string& text, const char* program = "corvale");

// A fixed array with the inclusive bounds the game's tables are declared with
// (0..16, 0..500). An index outside them is reported, never a silent overrun.
template <typename T, int Hi>
struct Slots {
    std::array<T, Hi + 1> items{};

    T& operator[](long i) { return items[check(i)]; }
    const T& operator[](long i) const { return items[check(i)]; }

  private:
    static std::size_t check(long i) {
        if (i < 0 || i > Hi)
            fail("index " + std::to_string(i) + " is outside the table's bounds 0.." +
                 std::to_string(Hi));
        return static_cast<std::size_t>(i);
    }
};

}  // namespace corvale
