// Fuzz target: the reader of settings files and of voice.txt among them.
// Whatever a file holds, it is either refused with a short message naming
// the file and the line, quoting nothing unprintable, or read into settings
// that written out and read again are the same settings: the reader and the
// writer keep one rule.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "speech/voicefile.h"
#include "tests/support/fuzzcheck.h"

using corvale::fuzz::check;
using corvale::fuzz::checkrefusal;

namespace {

void checkmessage(const std::string& message) {
    checkrefusal(message, "voice.txt");
    for (char c : message) check(static_cast<unsigned char>(c) >= 0x20 && c != 0x7F);
}

bool same(const corvale::VoiceSettings& a, const corvale::VoiceSettings& b) {
    return corvale::formatvoicesettings(a) == corvale::formatvoicesettings(b);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace corvale;
    const std::string text(reinterpret_cast<const char*>(data), size);

    std::vector<Setting> settings;
    try {
        settings = readsettings(text, "voice.txt");
    } catch (const Failure& f) {
        checkmessage(f.what());
        return 0;
    }
    // Every setting read is one the writer can write, and reads back as it was.
    const std::vector<Setting> again = readsettings(writesettings(settings, text), "voice.txt");
    check(again.size() == settings.size());
    for (std::size_t i = 0; i < again.size(); ++i)
        check(again[i].key == settings[i].key && again[i].value == settings[i].value);

    VoiceSettings voice;
    try {
        voice = parsevoicesettings(text, "voice.txt");
    } catch (const Failure& f) {
        checkmessage(f.what());
        return 0;
    }
    check(same(parsevoicesettings(formatvoicesettings(voice), "voice.txt"), voice));
    return 0;
}
