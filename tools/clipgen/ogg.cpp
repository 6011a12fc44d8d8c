// The Ogg Vorbis stream through libvorbisenc and libogg: the three header
// packets on pages of their own, as every decoder expects, then the audio
// packets, the last one marked as the stream's end.
#include "tools/clipgen/ogg.h"

#include <ogg/ogg.h>
#include <vorbis/vorbisenc.h>

#include <algorithm>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/speech.h"

namespace corvale::clipgen {

namespace {

// libvorbis's state, released however the encoding ends.
struct Encoder {
    vorbis_info info;
    vorbis_comment comment;
    vorbis_dsp_state dsp;
    vorbis_block block;
    ogg_stream_state stream;
    bool analysing = false, streaming = false;

    Encoder() {
        vorbis_info_init(&info);
        vorbis_comment_init(&comment);
    }
    ~Encoder() {
        if (streaming) ogg_stream_clear(&stream);
        if (analysing) {
            vorbis_block_clear(&block);
            vorbis_dsp_clear(&dsp);
        }
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    Encoder(const Encoder&) = delete;
    Encoder& operator=(const Encoder&) = delete;
};

void append(std::string& out, const ogg_page& page) {
    out.append(reinterpret_cast<const char*>(page.header),
               static_cast<std::size_t>(page.header_len));
    out.append(reinterpret_cast<const char*>(page.body), static_cast<std::size_t>(page.body_len));
}

}  // namespace

void writeogg(const std::string& path, const std::vector<int16_t>& mono, float quality) {
    Encoder e;
    if (vorbis_encode_init_vbr(&e.info, 1, speech::samplerate, quality) != 0)
        fail("cannot encode " + path + ": Vorbis has no mono mode at " +
             std::to_string(speech::samplerate) + " Hz and quality " + std::to_string(quality));
    vorbis_analysis_init(&e.dsp, &e.info);
    vorbis_block_init(&e.dsp, &e.block);
    e.analysing = true;
    // One fixed serial number: the same clip always gives the same bytes.
    ogg_stream_init(&e.stream, 1);
    e.streaming = true;

    std::string out;
    ogg_page page;
    ogg_packet id, comments, books;
    vorbis_analysis_headerout(&e.dsp, &e.comment, &id, &comments, &books);
    ogg_stream_packetin(&e.stream, &id);
    ogg_stream_packetin(&e.stream, &comments);
    ogg_stream_packetin(&e.stream, &books);
    while (ogg_stream_flush(&e.stream, &page) != 0) append(out, page);

    auto drain = [&] {
        ogg_packet packet;
        while (vorbis_analysis_blockout(&e.dsp, &e.block) == 1) {
            vorbis_analysis(&e.block, nullptr);
            vorbis_bitrate_addblock(&e.block);
            while (vorbis_bitrate_flushpacket(&e.dsp, &packet) == 1) {
                ogg_stream_packetin(&e.stream, &packet);
                while (ogg_stream_pageout(&e.stream, &page) != 0) append(out, page);
            }
        }
    };
    constexpr std::size_t chunk = 4096;
    for (std::size_t at = 0; at < mono.size(); at += chunk) {
        const std::size_t n = std::min(chunk, mono.size() - at);
        float** buffer = vorbis_analysis_buffer(&e.dsp, static_cast<int>(n));
        for (std::size_t i = 0; i < n; ++i) buffer[0][i] = mono[at + i] / 32768.0f;
        vorbis_analysis_wrote(&e.dsp, static_cast<int>(n));
        drain();
    }
    // No more samples: the encoder ends the stream, and the last page's
    // granule position trims the final block to the clip's true length.
    vorbis_analysis_wrote(&e.dsp, 0);
    drain();
    while (ogg_stream_flush(&e.stream, &page) != 0) append(out, page);
    writefileatomic(path, out);
}

}  // namespace corvale::clipgen
