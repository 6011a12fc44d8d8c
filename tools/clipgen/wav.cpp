// The WAV container by hand: a RIFF header, a "fmt " chunk for PCM and one
// "data" chunk, little-endian, as every reader of WAV files expects.
#include "tools/clipgen/wav.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::clipgen {

namespace {

void put16(std::string& out, unsigned v) {
    out += static_cast<char>(v & 0xff);
    out += static_cast<char>((v >> 8) & 0xff);
}

void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

}  // namespace

void writewav(const std::string& path, const std::vector<int16_t>& mono) {
    constexpr unsigned bytespersample = 2;
    constexpr unsigned blockalign = wavchannels * bytespersample;
    const std::uint64_t databytes = std::uint64_t{mono.size()} * blockalign;
    if (databytes > 0xffffff00u) fail("clip " + path + " is too long for a WAV file");

    std::string out;
    out.reserve(44 + databytes);
    out += "RIFF";
    put32(out, static_cast<std::uint32_t>(36 + databytes));
    out += "WAVEfmt ";
    put32(out, 16);
    put16(out, 1);  // PCM
    put16(out, wavchannels);
    put32(out, speech::samplerate);
    put32(out, speech::samplerate * blockalign);
    put16(out, blockalign);
    put16(out, 16);
    out += "data";
    put32(out, static_cast<std::uint32_t>(databytes));
    for (int16_t s : mono)
        for (int c = 0; c < wavchannels; ++c) put16(out, static_cast<uint16_t>(s));
    writefileatomic(path, out);
}

}  // namespace corvale::clipgen
