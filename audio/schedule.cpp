// The delayed sound schedule: up to fifty clips, each waiting a number of
// ticks before it fires on the next one-shot channel. Setting schedcount to
// 0 cancels everything still waiting.
#include "audio/audio.h"
#include "state/game.h"

namespace corvale {

void newprize(const std::string& tempm, int tempv, int tempp, int tempd) {
    int slot = 0;
    for (int i = 1; i <= Form1.schedcount; ++i) {
        if (Form1.schedclip[i].empty()) {
            slot = i;
            break;
        }
    }
    if (slot == 0) {
        // A full schedule gives up its last entry to the newest one.
        if (Form1.schedcount == 50) Form1.schedcount = 49;
        Form1.schedcount = Form1.schedcount + 1;
        slot = Form1.schedcount;
    }
    Form1.schedclip[slot] = tempm;
    Form1.schedvol[slot] = tempv;
    Form1.schedpan[slot] = tempp;
    Form1.scheddelay[slot] = tempd;
}

void schedtick() {
    int n = Form1.schedcount;
    for (int i = 1; i <= n; ++i) {
        if (Form1.schedclip[i].empty()) continue;
        Form1.scheddelay[i] = Form1.scheddelay[i] - 1;
        if (Form1.scheddelay[i] <= 0) {
            makesound(Form1.schedclip[i], Form1.schedvol[i], Form1.schedpan[i]);
            Form1.schedclip[i] = "";
        }
    }
    if (Form1.schedcount > 0 && Form1.schedclip[Form1.schedcount].empty())
        Form1.schedcount = Form1.schedcount - 1;
}

}  // namespace corvale
