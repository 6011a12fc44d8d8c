// How the SDL front end lays out SDL2_mixer, shared by the sound device
// (sdl_sound.cpp) and the in-game voice (sdl_voice.cpp): the game's channels
// first, then one more kept for the voice, all mixed in stereo at the speech
// engines' own rate so the voice's samples play without conversion.
#pragma once

#include "speech/speech.h"

namespace corvale::mixer {

constexpr int rate = speech::samplerate;
constexpr int outputs = 2;  // stereo: each mono speech sample is doubled
constexpr int framesperbuffer = 512;

// The game's sound channels are 0..16; the voice plays on the one after them.
constexpr int gamechannels = 17;
constexpr int speechchannel = gamechannels;
constexpr int channels = gamechannels + 1;

}  // namespace corvale::mixer
