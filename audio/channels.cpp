// The seventeen sound channels. Channel 0 is the voice channel the tick
// fills; 4..16 are taken in turn by makesound for one-shot clips, and a
// channel that already holds the clip replays it without touching the disk.
// The player's volumes are added to whatever volume the game gives a clip,
// and the player's rate and volume to what the live voice is asked for.
#include <algorithm>
#include <cmath>

#include "audio/audio.h"
#include "state/game.h"

namespace corvale {

namespace {

constexpr int silent = -10000;  // the device's attenuation for no sound

// The player's volume for the clip on channel z, as the device's attenuation
// in hundredths of a decibel: percent of the amplitude, so 50 is half as loud
// in the wave (-6 dB) and 10 still heard. The click and the win are effects,
// every other clip is speech.
int playerattenuation(int z) {
    const std::string& clip = Form1.soundfile[z];
    const bool effect =
        clip == apppath() + "\\sounds\\click.wav" || clip == apppath() + "\\sounds\\win.wav";
    const int percent = effect ? Module1.settings.effectvolume : Module1.settings.clipvolume;
    if (percent <= 0) return silent;
    return static_cast<int>(std::lround(2000 * std::log10(std::min(percent, 100) / 100.0)));
}

}  // namespace

int liverate(int rate) {
    return std::clamp(rate + Module1.settings.rate, slowestrate, fastestrate);
}

int livevolume(int volume) {
    return volume * std::clamp(Module1.settings.voicevolume, 0, mostvolume) / mostvolume;
}

void setsound(int z, const std::string& tempm) {
    if (tempm.empty()) return;
    auto buffer = Form1.ds->CreateSoundBufferFromFile(z, tempm);
    Form1.soundbuffer[z] = std::move(buffer);  // the old clip is released and falls silent
    Form1.soundfile[z] = tempm;
    Form1.soundbuffer[z]->Stop();
    if (playerattenuation(z) != 0) setvol(z, 0);
}

void setvol(int z, int w) {
    if (Form1.soundbuffer[z])
        Form1.soundbuffer[z]->SetVolume(std::clamp(w + playerattenuation(z), silent, 0));
}

void setpan(int z, int w) {
    if (Form1.soundbuffer[z]) Form1.soundbuffer[z]->SetPan(w);
}

void makesound(const std::string& tempm, int tempv, int tempp) {
    Form1.nextslot = Form1.nextslot + 1;
    if (Form1.nextslot > 16) Form1.nextslot = 4;
    if (Form1.nextslot < 4) Form1.nextslot = 4;
    int z = Form1.nextslot;
    // An empty path names no clip; playing the channel would repeat
    // whatever it held before.
    if (tempm.empty()) return;
    if (tempm != Form1.soundfile[z]) setsound(z, tempm);
    setvol(z, tempv);
    setpan(z, tempp);
    Form1.soundbuffer[z]->Play();
}

}  // namespace corvale
