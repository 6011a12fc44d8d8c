// The two holders of game state, and the small services every part uses:
// telling the front end about a timer, and announcing.
#include "state/game.h"

namespace corvale {

Form Form1;
Module Module1;

void settimer(TimerControl& timer, bool enabled, int interval) {
    timer.Enabled = enabled;
    timer.Interval = interval;
    Form1.os->settimer(timer.id, enabled ? interval : 0);
}

void announce(const std::string& relativeclip) {
    Form1.List1.clear();
    Form1.List1.push_back(apppath() + relativeclip);
    Module1.voicewait = 0;
}

}  // namespace corvale
