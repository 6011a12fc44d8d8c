// The window's two timers as deadlines on a clock of milliseconds. Both
// front ends keep them here, so the virtual clock of the tests and the real
// one follow the same rules: an interval of 0 stops a timer, setting one
// restarts its countdown, and a timer handled late fires once, not once for
// every period it missed.
#pragma once

#include <optional>

#include "platform/platform.h"

namespace corvale {

struct TimerDeadlines {
    struct Timer {
        int interval = 0;
        long long due = 0;
    };
    Timer timers[2];

    void set(TimerId id, int interval, long long now) {
        Timer& t = timers[static_cast<int>(id)];
        t.interval = interval > 0 ? interval : 0;
        t.due = now + t.interval;
    }

    // The timer that fell due first by `now` (Timer1 on a tie), moved on to
    // its first period boundary after `now`.
    std::optional<TimerId> takedue(long long now) {
        int pick = -1;
        for (int i = 0; i < 2; ++i) {
            const Timer& t = timers[i];
            if (t.interval > 0 && t.due <= now && (pick < 0 || t.due < timers[pick].due)) pick = i;
        }
        if (pick < 0) return std::nullopt;
        Timer& t = timers[pick];
        do t.due += t.interval;
        while (t.due <= now);
        return static_cast<TimerId>(pick);
    }

    // When the next running timer falls due, or -1 when none runs.
    long long next() const {
        long long due = -1;
        for (const Timer& t : timers)
            if (t.interval > 0 && (due < 0 || t.due < due)) due = t.due;
        return due;
    }
};

}  // namespace corvale
