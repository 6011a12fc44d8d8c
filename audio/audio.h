// The audio engine: seventeen sound channels, the 50 ms tick that plays the
// voice queue on channel 0 for each clip's charted length, and the delayed
// sound schedule that fires clips on the rotating one-shot channels 4..16.
#pragma once

#include <string>

namespace corvale {

// Channels.
void setsound(int z, const std::string& tempm);
void setvol(int z, int w);
void setpan(int z, int w);
void makesound(const std::string& tempm, int tempv, int tempp);

// The rate and volume the live voice speaks at when the game asks for `rate`
// (-10..10) and `volume` (0..100): the player's rate added, their volume
// scaled in. Every sentence of the live voice and of voxlet goes through these.
int liverate(int rate);
int livevolume(int volume);

// The tick of Timer1: events first, then the voice queue and the schedule.
void Timer1_Timer();

// The clip-length chart, read from the text of soundchart.txt. On a fault,
// Failure naming `filename` and the line.
void loadchart(const std::string& text, const std::string& filename);

// What a key that starts new speech does first, so that one voice speaks at
// a time: the schedule is dropped, the one-shot clips still sounding stop
// (the win fanfare plays on), a clue number being spoken ends, and a clue
// reading or a sentence still waiting to start gives way.
void hush();

// Quiet at once (Ctrl): everything hush() stops, and the voice channel and
// its queue too.
void silence();

// Delayed sound schedule.
void newprize(const std::string& tempm, int tempv, int tempp, int tempd);
void schedtick();

}  // namespace corvale
