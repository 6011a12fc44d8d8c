// The clip files clipgen writes, decoded as the game's mixer decodes them
// (libvorbisfile): mono at 22050 Hz, exactly as many samples as were written,
// none added before the sound or after it, and the sound itself close to what
// went in, so the margins and the chart clipgen measured on the samples still
// hold for what the player hears.
#include <gtest/gtest.h>
#include <vorbis/vorbisfile.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "speech/speech.h"
#include "tests/support/tempfolder.h"
#include "tools/clipgen/ogg.h"

namespace corvale::clipgen {
namespace {

struct Decoded {
    int channels = 0;
    long rate = 0;
    std::vector<int16_t> samples;
};

Decoded decode(const std::string& path) {
    OggVorbis_File file;
    Decoded out;
    if (ov_fopen(path.c_str(), &file) != 0) {
        ADD_FAILURE() << "libvorbisfile cannot open " << path;
        return out;
    }
    const vorbis_info* info = ov_info(&file, -1);
    out.channels = info->channels;
    out.rate = info->rate;
    alignas(int16_t) char buffer[4096];
    int section = 0;
    for (long n; (n = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &section)) != 0;) {
        if (n < 0) {
            ADD_FAILURE() << "a decoding error in " << path;
            break;
        }
        const auto* s = reinterpret_cast<const int16_t*>(buffer);
        out.samples.insert(out.samples.end(), s, s + n / 2);
    }
    ov_clear(&file);
    return out;
}

// A clip shaped as clipgen shapes one: silence, a sound that starts at once,
// silence. The sound is a vowel-like tone at speech's level.
std::vector<int16_t> clip(int lead, int sound, int tail) {
    std::vector<int16_t> s(static_cast<std::size_t>(lead), 0);
    for (int i = 0; i < sound; ++i) {
        const double t = static_cast<double>(i) / speech::samplerate;
        s.push_back(static_cast<int16_t>(
            std::lround(4000 * (std::sin(2 * std::numbers::pi * 220 * t) +
                                0.5 * std::sin(2 * std::numbers::pi * 660 * t)))));
    }
    s.resize(s.size() + static_cast<std::size_t>(tail), 0);
    return s;
}

TEST(OggClips, DecodeToTheSamplesWrittenNoneAddedOrLost) {
    testsupport::TempFolder temp{"ogg"};
    const struct {
        int lead, sound, tail;
    } shapes[] = {
        {221, 6615, 1323},   // a word: 10 ms, 0.3 s, 60 ms
        {0, 1, 0},           // a single sample, shorter than any block
        {221, 40000, 1323},  // a sentence over several pages
        {0, 4096, 0},        // exactly one chunk of the encoder's input
    };
    for (const auto& shape : shapes) {
        const std::vector<int16_t> written = clip(shape.lead, shape.sound, shape.tail);
        SCOPED_TRACE(std::to_string(written.size()) + " samples");
        const std::string path = (temp.root / "clip.ogg").string();
        writeogg(path, written);
        const Decoded heard = decode(path);
        EXPECT_EQ(heard.channels, 1);
        EXPECT_EQ(heard.rate, speech::samplerate);
        ASSERT_EQ(heard.samples.size(), written.size());
        if (shape.sound < 1000) continue;
        // Sample for sample against what was written, no shift: the coding
        // error is a small part of the sound.
        double error = 0, signal = 0;
        for (std::size_t i = 0; i < written.size(); ++i) {
            const double d = heard.samples[i] - written[i];
            error += d * d;
            signal += static_cast<double>(written[i]) * written[i];
        }
        EXPECT_LT(std::sqrt(error / signal), 0.05);
        // The edges: no sound well before the written one starts or after it
        // ends (coding noise stays below -30 dBFS there).
        for (int i = 0; i < shape.lead / 2; ++i) EXPECT_LT(std::abs(heard.samples[i]), 1000) << i;
        for (std::size_t i = written.size() - static_cast<std::size_t>(shape.tail) / 2;
             i < written.size(); ++i)
            EXPECT_LT(std::abs(heard.samples[i]), 1000) << i;
    }
}

}  // namespace
}  // namespace corvale::clipgen
