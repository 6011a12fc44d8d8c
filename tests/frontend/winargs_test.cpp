// A Windows command line: each argument written so the started program's C
// runtime reads back exactly what was meant, whatever blanks, quotes and
// backslashes it holds. A wrong rule would hand voxlet another text to say.
#include <gtest/gtest.h>

#include <vector>

#include "frontend/sdl/winargs.h"

namespace corvale {
namespace {

TEST(WindowsArguments, AreQuotedSoTheRuntimeSplitsThemBack) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain", "plain"},
        {"", "\"\""},
        {"two words", "\"two words\""},
        {"C:\\Program Files\\Corvale\\", "\"C:\\Program Files\\Corvale\\\\\""},
        {"a\\b", "a\\b"},  // backslashes before no quote mean themselves
        {"say \"hi\"", "\"say \\\"hi\\\"\""},
        {"x\\\"y", "\"x\\\\\\\"y\""},  // a backslash before a quote is doubled
        {"tab\there", "\"tab\there\""},
    };
    for (const auto& [argument, want] : cases) EXPECT_EQ(quotedargument(argument), want);
}

}  // namespace
}  // namespace corvale
