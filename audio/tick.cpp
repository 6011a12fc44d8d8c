// The 50 ms tick and the voice queue. The game cannot hear when a clip
// ends, so each queued clip holds the voice channel for the length the
// clip-length chart gives it, and the next one starts when that runs out.
#include <strings.h>
#include <cmath>

#include <algorithm>
#include <charconv>
#include <string_view>
#include <vector>

#include "audio/audio.h"
#include "files/files.h"
#include "state/game.h"

namespace corvale {

namespace {

// No clip of the game is anywhere near this long; a longer entry is a broken
// chart, and its length in ticks would not fit the voice wait.
constexpr double maxtenths = 6000;  // ten minutes

// The caption of the clip at `key` ("\\sounds\\intro2.wav"), now starting on
// the voice channel for the voice wait: the text voice.txt gives the clip's
// name, or none.
void caption(const std::string& key) {
    std::string name = key.substr(key.rfind('\\') + 1);
    if (name.size() > 4 && ::strcasecmp(name.c_str() + name.size() - 4, ".wav") == 0)
        name.resize(name.size() - 4);
    auto text = Module1.voice.says.find(name);
    Form1.saying = text == Module1.voice.says.end() ? "" : text->second;
    Form1.sayingticks = 0;
    Form1.sayinglength = Form1.saying.empty() ? 0 : std::max(1, Module1.voicewait);
}

}  // namespace

void loadchart(const std::string& text, const std::string& filename) {
    std::vector<std::string> lines = splitlines(withoutbom(text));
    // Blank lines at the very end are a common editing accident, not an entry.
    while (!lines.empty() && trim(lines.back()).empty()) lines.pop_back();

    Module1.chartcount = 0;
    for (std::size_t i = 0; i < lines.size(); i += 2) {
        std::string where = filename + ":" + std::to_string(i + 1) + ": ";
        if (Module1.chartcount == 500)
            fail(where + "more than 500 clips; the chart holds at most 500");
        if (i + 1 >= lines.size())
            fail(where + "the clip " + shown(lines[i]) + " has no length line after it");
        std::string_view length = trim(lines[i + 1]);
        double tenths = 0;
        auto [end, err] = std::from_chars(length.data(), length.data() + length.size(), tenths);
        if (length.empty() || err != std::errc() || end != length.data() + length.size() ||
            !std::isfinite(tenths) || tenths < 0)
            fail(filename + ":" + std::to_string(i + 2) + ": the length " + shown(lines[i + 1]) +
                 " is not a number of tenths of a second");
        if (tenths > maxtenths)
            fail(filename + ":" + std::to_string(i + 2) + ": the length " + shown(lines[i + 1]) +
                 " is more than the " + std::to_string(static_cast<int>(maxtenths)) +
                 " tenths of a second (ten minutes) any clip may last");
        Module1.chartcount = Module1.chartcount + 1;
        Module1.chartclip[Module1.chartcount] = lines[i];
        Module1.chartticks[Module1.chartcount] = tenths * 2;
    }
}

void hush() {
    Form1.schedcount = 0;
    // The fanfare is the player's reward, not speech, and ends by itself.
    const std::string win = apppath() + "\\sounds\\win.wav";
    for (int z = 4; z <= 16; ++z)
        if (Form1.soundbuffer[z] && ::strcasecmp(Form1.soundfile[z].c_str(), win.c_str()) != 0)
            Form1.soundbuffer[z]->Stop();
    Form1.os->stopspawned();
    Form1.speechturn = Form1.speechturn + 1;
}

void silence() {
    if (Form1.soundbuffer[0]) Form1.soundbuffer[0]->Stop();
    Form1.List1.clear();
    // The stopped clip no longer holds the channel: the next one may start
    // at the next tick.
    Module1.voicewait = 0;
    Form1.saying.clear();
    hush();
}

void Timer1_Timer() {
    Form1.os->doevents();

    if (Module1.voicewait > 0) Module1.voicewait = Module1.voicewait - 1;
    if (Form1.sayinglength > 0) Form1.sayingticks = Form1.sayingticks + 1;

    if (Module1.voicewait == 0 && !Form1.List1.empty()) {
        std::string clip = Form1.List1.front();
        setsound(0, clip);
        if (!clip.empty()) Form1.soundbuffer[0]->Play();
        std::string key = clip.substr(std::min(clip.size(), apppath().size()));
        // Every entry is looked at, so a clip charted twice takes the last length.
        for (int i = 1; i <= Module1.chartcount; ++i)
            if (::strcasecmp(key.c_str(), Module1.chartclip[i].c_str()) == 0)
                Module1.voicewait = static_cast<int>(std::floor(Module1.chartticks[i]));
        Form1.List1.pop_front();
        caption(key);
    } else if (Module1.voicewait == 0 && Form1.sayinglength > 0) {
        // The clip has had its length: nothing is being said.
        Form1.saying.clear();
        Form1.sayinglength = 0;
    }

    schedtick();
}

}  // namespace corvale
