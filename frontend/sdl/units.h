// The sound device's units as the game speaks them (attenuation and pan in
// hundredths of a decibel) turned into SDL_mixer's linear levels. Kept free
// of SDL so the conversions can be tested on their own.
#pragma once

#include <cmath>
#include <cstdlib>

namespace corvale {

// Gain of an attenuation in hundredths of a decibel: 10^(v/2000).
inline double gain(int hundredths) {
    return std::pow(10.0, hundredths / 2000.0);
}

// The mixer's channel volume, 0..128, for an attenuation of -10000..0.
inline int mixervolume(int hundredths) {
    return static_cast<int>(std::lround(gain(hundredths) * 128));
}

// The mixer's left and right levels, 0..255, for a pan of -10000..10000: the
// side away from the pan is attenuated by |pan| hundredths of a decibel.
struct Panning {
    int left, right;
};
inline Panning mixerpanning(int pan) {
    int away = static_cast<int>(std::lround(255 * gain(-std::abs(pan))));
    return {pan > 0 ? away : 255, pan < 0 ? away : 255};
}

}  // namespace corvale
