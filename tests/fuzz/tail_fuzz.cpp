// Fuzz target: voxlet's command tail. Either volume and rate are read and
// the text is what stands after the second comma, or the tail is refused
// with a short message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "tests/support/fuzzcheck.h"
#include "voxlet/tail.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view tail(reinterpret_cast<const char*>(data), size);
    const corvale::voxlet::Tail got = corvale::voxlet::parsetail(tail);
    if (!got.error.empty()) {
        checkrefusal(got.error);
        return 0;
    }
    // The text is the end of the tail, spaces at its end dropped.
    check(got.text.size() <= tail.size());
    check(tail.find(got.text) != std::string_view::npos);
    check(got.text.empty() || got.text.back() != ' ');
    return 0;
}
