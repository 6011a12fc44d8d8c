// The seventeen sound channels. Channel 0 is the voice channel the tick
// fills; 4..16 are taken in turn by makesound for one-shot clips, and a
// channel that already holds the clip replays it without touching the disk.
#include "audio/audio.h"
#include "state/game.h"

namespace corvale {

void setsound(int z, const std::string& tempm) {
    if (tempm.empty()) return;
    auto buffer = Form1.ds->CreateSoundBufferFromFile(z, tempm);
    Form1.soundbuffer[z] = std::move(buffer);  // the old clip is released and falls silent
    Form1.soundfile[z] = tempm;
    Form1.soundbuffer[z]->Stop();
}

void setvol(int z, int w) {
    if (Form1.soundbuffer[z]) Form1.soundbuffer[z]->SetVolume(w);
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
