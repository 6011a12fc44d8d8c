// The blocking pause. A handler that must wait a moment calls hold, which
// keeps handling every other event (ticks, keys) until the holder timer
// fires. It blocks while nothing waits, so a pause costs no processor time.
#include <cmath>

#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

void hold(double seconds) {
    if (!(seconds >= 0 && seconds <= 65.535))
        fail("a pause of " + std::to_string(seconds) + " seconds is outside 0..65.535");
    // Whole milliseconds, halves to the even neighbour (the default rounding).
    int ms = static_cast<int>(std::nearbyint(seconds * 1000));
    // What changed before the pause shows during it: a new clue appears
    // while its number is spoken, a new puzzle while it loads.
    showscreen();
    settimer(Form1.holder, true, ms);
    // A pause begun inside this one restarts the one timer; when it fires,
    // both pauses end. The depth lets key routing refuse to nest them
    // without end while a key is held down.
    Form1.pausedepth = Form1.pausedepth + 1;
    try {
        while (Form1.holder.Interval > 0) Form1.os->waitevents();
    } catch (...) {
        Form1.pausedepth = Form1.pausedepth - 1;
        throw;
    }
    Form1.pausedepth = Form1.pausedepth - 1;
    settimer(Form1.holder, false, 0);
}

void holder_Timer() {
    settimer(Form1.holder, Form1.holder.Enabled, 0);
}

}  // namespace corvale
