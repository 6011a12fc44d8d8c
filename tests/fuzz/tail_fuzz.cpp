// Fuzz target: voxlet's command tail. Either volume and rate are read and
// the text is what stands after the second comma, or the tail is refused
// with a short message.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "voxlet/tail.h"

namespace {

void check(bool ok) {
    if (!ok) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view tail(reinterpret_cast<const char*>(data), size);
    const corvale::voxlet::Tail got = corvale::voxlet::parsetail(tail);
    if (!got.error.empty()) {
        check(got.error.size() < 400);
        return 0;
    }
    // The text is the end of the tail, spaces at its end dropped.
    check(got.text.size() <= tail.size());
    check(tail.find(got.text) != std::string_view::npos);
    check(got.text.empty() || got.text.back() != ' ');
    return 0;
}
