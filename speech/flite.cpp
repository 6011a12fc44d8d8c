// The flite engine behind the speech layer: its built-in English voices,
// linked in, so nothing is loaded from disk at run time. flite speaks at the
// voice's own rate (16 kHz, 8 kHz for kal); the samples are converted to the
// game's 22050 Hz as they stream out of the engine, so a player hears the
// start of a sentence while its end is still being made.
extern "C" {
#include <flite/flite.h>
cst_voice* register_cmu_us_slt(const char* voxdir);
cst_voice* register_cmu_us_kal(const char* voxdir);
cst_voice* register_cmu_us_awb(const char* voxdir);
cst_voice* register_cmu_us_rms(const char* voxdir);
}

#include <algorithm>
#include <cmath>
#include <memory>
#include <vector>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/engines.h"
#include "speech/resample.h"
#include "speech/speech.h"

namespace corvale::speech::engines {

namespace {

struct Known {
    const char* name;
    cst_voice* (*make)(const char*);
    cst_voice* voice;  // made on first use, kept for the process
};
Known known[] = {{"slt", register_cmu_us_slt, nullptr},
                 {"kal", register_cmu_us_kal, nullptr},
                 {"awb", register_cmu_us_awb, nullptr},
                 {"rms", register_cmu_us_rms, nullptr}};

bool started = false;
cst_voice* chosen = nullptr;

// The synthesis in progress, as the streaming callback sees it.
struct Stream {
    Job* job;
    std::unique_ptr<Resampler> resampler;
    std::vector<int16_t> out;
};
Stream* running = nullptr;

// Called by flite with each new stretch of the wave; the last call says so.
int collect(const cst_wave* w, int start, int size, int last, cst_audio_streaming_info*) {
    Stream* s = running;
    if (!s) return CST_AUDIO_STREAM_CONT;
    if (!s->resampler) s->resampler = std::make_unique<Resampler>(w->sample_rate, samplerate);
    s->out.clear();
    if (size > 0) {
        // flite has no volume of its own: the gain is applied here, before
        // the conversion, where a sample cannot overflow.
        std::vector<int16_t> scaled(w->samples + start, w->samples + start + size);
        if (s->job->gain != 1.0)
            for (int16_t& v : scaled) v = static_cast<int16_t>(std::lround(v * s->job->gain));
        s->resampler->push(scaled.data(), scaled.size(), s->out);
    }
    if (last) s->resampler->finish(s->out);
    if (!s->out.empty() && !s->job->deliver(s->out.data(), s->out.size()))
        return CST_AUDIO_STREAM_STOP;
    return CST_AUDIO_STREAM_CONT;
}

}  // namespace

std::string flitevoices() {
    std::string names;
    for (const Known& k : known) names += (names.empty() ? "" : ", ") + std::string(k.name);
    return names;
}

void fliteopen(const std::string& voice) {
    auto it = std::find_if(std::begin(known), std::end(known),
                           [&](const Known& k) { return voice == k.name; });
    if (it == std::end(known))
        fail("flite has no voice " + shown(voice) + ": its voices are " + flitevoices());
    if (!started) {
        flite_init();
        started = true;
    }
    if (!it->voice) {
        it->voice = it->make(nullptr);
        if (!it->voice) fail("flite cannot load the voice " + shown(voice));
        cst_audio_streaming_info* info = new_audio_streaming_info();
        info->asc = collect;
        // The voice owns the streaming info from here on.
        feat_set(it->voice->features, "streaming_info", audio_streaming_info_val(info));
    }
    chosen = it->voice;
}

// flite has no volume of its own: the job's gain, made from the volume,
// scales the samples in collect().
void flitesay(const std::string& text, int rate, int /*volume*/, Job& job) {
    if (!chosen) fail("flite was asked to speak before a voice was chosen");
    // flite stretches durations: a faster rate is a shorter stretch.
    flite_feat_set_float(chosen->features, "duration_stretch",
                         static_cast<float>(1.0 / speedfactor(rate)));
    Stream stream{&job, nullptr, {}};
    running = &stream;
    cst_utterance* utterance = flite_synth_text(text.c_str(), chosen);
    running = nullptr;
    if (utterance) delete_utterance(utterance);
    if (!job.error && !utterance) fail("flite could not speak \"" + text + "\"");
}

}  // namespace corvale::speech::engines
