// clipgen: builds the game's whole clip set and its length chart from the
// clip table. Spoken clips come from espeak-ng or flite through the same
// speech layer the game uses, each brought to one loudness and trimmed to the
// same short margins; the click and the win fanfare are made here from tones.
// Every clip is written as mono Ogg Vorbis at 22050 Hz (NAME.ogg, found by
// the game under its own name NAME.wav), and the chart is written last from
// the clips' real lengths, so it can never disagree with them. Beside them goes voice.txt: the
// voice and language the clips were spoken in, the table's texts the game composes, and what each
// clip says, so the game's own speech and its captions match its clips.
//
//   clipgen --table sounds/clips.tsv --out build/game [--engine NAME] [--voice NAME]
//           [--language en]
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <exception>
#include <filesystem>
#include <numbers>
#include <string>
#include <vector>

#include "files/files.h"
#include "platform/failure.h"
#include "speech/speech.h"
#include "speech/trim.h"
#include "speech/voicefile.h"
#include "tools/clipgen/cliptable.h"
#include "tools/clipgen/level.h"
#include "tools/clipgen/ogg.h"

namespace {

using corvale::fail;
using Samples = std::vector<int16_t>;
constexpr int rate = corvale::speech::samplerate;

int frames(double seconds) {
    return static_cast<int>(std::lround(seconds * rate));
}

// A clip is started on the voice channel and cut off by the next one after
// its charted length, rounded down to a whole 50 ms tick; this much quiet at
// the end means that rounding only ever cuts silence.
constexpr double tailseconds = 0.06;
constexpr double leadseconds = 0.01;

// The engines begin and end every text with silence. Spoken clips are played
// back to back at fixed spacings, so that silence is cut down to a short lead
// and the tail above, the same for every clip.
Samples trimmed(const Samples& speech) {
    auto first = std::find_if(speech.begin(), speech.end(), corvale::speech::audible);
    if (first == speech.end()) return {};
    auto last = std::find_if(speech.rbegin(), speech.rend(), corvale::speech::audible).base();
    Samples out(static_cast<std::size_t>(frames(leadseconds)), 0);
    out.insert(out.end(), first, last);
    out.resize(out.size() + static_cast<std::size_t>(frames(tailseconds)), 0);
    return out;
}

Samples spoken(const corvale::clipgen::Clip& clip, int speed) {
    Samples speech;
    corvale::speech::synthesize(
        clip.text, speed, 100,
        [&](const int16_t* s, std::size_t n) { speech.insert(speech.end(), s, s + n); },
        corvale::speech::fastestclip);
    Samples out = trimmed(corvale::clipgen::levelled(speech));
    if (out.empty()) fail("the voice said nothing for clip \"" + clip.name + "\": " + clip.text);
    return out;
}

// A clip at its table rate, or, where it must end within a gap and this voice
// runs over at that rate, at the slowest faster rate that fits: each voice
// keeps its own pace wherever it can.
Samples fitted(const corvale::clipgen::Clip& clip) {
    for (int speed = clip.rate;; ++speed) {
        Samples out = spoken(clip, speed);
        if (clip.longest == 0 || out.size() * 1000 <= static_cast<std::size_t>(clip.longest) * rate)
            return out;
        if (speed == corvale::speech::fastestclip)
            fail("clip \"" + clip.name + "\" lasts " + std::to_string(out.size() * 1000 / rate) +
                 " ms even at the fastest rate, " + std::to_string(speed) + ", over its " +
                 std::to_string(clip.longest) + " ms");
    }
}

// Adds a tone that rises over `attack` seconds (soft enough not to click)
// and then dies away with the time constant `decay`.
void addtone(std::vector<double>& mix, int start, double seconds, double hz, double level,
             double attack, double decay) {
    const int n = frames(seconds);
    if (mix.size() < static_cast<std::size_t>(start + n)) mix.resize(start + n, 0.0);
    for (int i = 0; i < n; ++i) {
        const double t = static_cast<double>(i) / rate;
        const double rise = std::min(1.0, t / attack);
        const double release = std::min(1.0, (seconds - t) / 0.01);
        // A bright, brass-like tone: the fundamental and two overtones.
        const double wave = std::sin(2 * std::numbers::pi * hz * t) +
                            0.4 * std::sin(4 * std::numbers::pi * hz * t) +
                            0.2 * std::sin(6 * std::numbers::pi * hz * t);
        mix[start + i] += level * rise * release * std::exp(-t / decay) * wave / 1.6;
    }
}

Samples tosamples(const std::vector<double>& mix) {
    Samples out;
    out.reserve(mix.size());
    for (double v : mix)
        out.push_back(static_cast<int16_t>(std::lround(std::clamp(v, -1.0, 1.0) * 32767)));
    return out;
}

// The blank position's sound: a crisp tick, two high tones dying away in
// a few milliseconds, so it is heard as a click and never as a tone.
Samples click() {
    std::vector<double> mix;
    addtone(mix, 0, 0.03, 2200, 0.8, 0.0005, 0.005);
    addtone(mix, 0, 0.03, 3300, 0.5, 0.0005, 0.004);
    return tosamples(mix);
}

// The win: a short rising fanfare, the notes of a major chord climbing to the
// octave, the last one held.
Samples win() {
    const double notes[] = {523.25, 659.25, 783.99, 1046.5};  // C5 E5 G5 C6
    std::vector<double> mix;
    int at = 0;
    for (int i = 0; i < 4; ++i) {
        const bool last = i == 3;
        addtone(mix, at, last ? 0.55 : 0.16, notes[i], 0.55, 0.004, last ? 0.35 : 0.2);
        at += frames(0.13);
    }
    mix.resize(mix.size() + static_cast<std::size_t>(frames(tailseconds)), 0.0);
    return tosamples(mix);
}

// The chart's length field: tenths of a second with "." as the decimal
// point whatever the locale, as the game reads it.
std::string tenths(std::size_t count) {
    char text[32];
    auto [end, ec] =
        std::to_chars(text, text + sizeof text, static_cast<double>(count) * 10.0 / rate,
                      std::chars_format::fixed, 2);
    if (ec != std::errc())
        fail("cannot write a clip length of " + std::to_string(count) + " samples");
    return std::string(text, end);
}

std::string usage() {
    std::string engines;
    for (const auto& e : corvale::speechengines)
        engines += (engines.empty() ? "" : "|") + std::string(e.name);
    return "usage: clipgen --table FILE --out FOLDER [--engine " + engines +
           "] [--voice NAME] [--language CODE]\n"
           "An empty or left out voice is the engine's own for the language.";
}

// What voice.txt records: the engine, voice and language, every
// "text:KEY" row of the table, every clip's text, and in another language
// than English the relation clips' words.
corvale::VoiceSettings settingsfor(const std::vector<corvale::clipgen::Clip>& clips,
                                   const std::string& table, const corvale::speech::Choice& choice,
                                   const std::string& language) {
    corvale::VoiceSettings settings;
    for (const auto& [key, value] :
         {std::pair{"engine", choice.engine}, {"voice", choice.voice}, {"language", language}})
        if (std::string why = corvale::assign(settings, key, value); !why.empty())
            fail("--" + std::string(key) + ": " + why + "\n" + usage());
    for (const auto& clip : clips) {
        // The relation clips' words also make the sentences of the puzzles
        // the game makes, as the build rewords the shipped puzzles: in
        // English these keep their own sentences ("is less than").
        if (language != "en" && (clip.name == "times" || clip.name == "minus" ||
                                 clip.name == "islessthan" || clip.name == "equals")) {
            if (std::string why = corvale::assign(settings, clip.name, clip.text); !why.empty())
                fail(table + ":" + std::to_string(clip.line) + ": " + why);
            continue;
        }
        // Every clip's own text too, so the view can caption what is said.
        const std::string key =
            clip.composed ? clip.name.substr(std::string(corvale::clipgen::composedprefix).size())
                          : std::string(corvale::saykey) + clip.name;
        if (std::string why = corvale::assign(settings, key, clip.text); !why.empty())
            fail(table + ":" + std::to_string(clip.line) + ": " + why);
    }
    return settings;
}

int run(int argc, char** argv) {
    std::string table, out, engine = corvale::VoiceSettings{}.engine, voice, language = "en";
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 < argc && arg == "--table")
            table = argv[++i];
        else if (i + 1 < argc && arg == "--out")
            out = argv[++i];
        else if (i + 1 < argc && arg == "--engine")
            engine = argv[++i];
        else if (i + 1 < argc && arg == "--voice")
            voice = argv[++i];
        else if (i + 1 < argc && arg == "--language")
            language = argv[++i];
        else
            fail("unknown argument " + corvale::shown(arg) + "\n" + usage());
    }
    if (table.empty() || out.empty())
        fail("a clip table and an output folder are both needed\n" + usage());
    if (std::string why = corvale::enginerefusal(engine, language); !why.empty())
        fail(why + "\n" + usage());
    if (voice.empty()) voice = corvale::defaultvoice(engine, language);
    const corvale::speech::Choice choice{engine, voice};

    std::vector<corvale::clipgen::Clip> clips = corvale::clipgen::readtable(table);
    const corvale::VoiceSettings settings = settingsfor(clips, table, choice, language);
    corvale::speech::init(choice);
    std::error_code error;
    std::filesystem::create_directories(out + "/sounds", error);
    if (error) fail("cannot make the folder " + out + "/sounds: " + error.message());

    std::string chart;
    auto put = [&](const std::string& name, const Samples& samples) {
        const std::string file = out + "/sounds/" + name;
        corvale::clipgen::writeogg(file + ".ogg", samples);
        // A WAV of the name, left by an older build, would be found before
        // the new clip.
        std::filesystem::remove(file + ".wav", error);
        if (error) fail("cannot remove the old clip " + file + ".wav: " + error.message());
        chart += "\\sounds\\" + name + ".wav\r\n" + tenths(samples.size()) + "\r\n";
    };
    for (const auto& clip : clips)
        if (!clip.composed) put(clip.name, fitted(clip));
    put("click", click());
    put("win", win());
    corvale::writefileatomic(out + "/voice.txt", corvale::formatvoicesettings(settings));
    corvale::writefileatomic(out + "/soundchart.txt", chart);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        corvale::report(e.what(), "clipgen");
        return 1;
    }
}
