// The game's whole state, as plain data: Form1 holds the window's variables
// and controls, Module1 the program-wide ones. Every procedure of the game
// reads and writes them directly; they live from start-up until the end.
// Beside them, the few procedures of the window every subsystem calls: a
// timer's setting, the pause and the announcement.
#pragma once

#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/failure.h"
#include "platform/platform.h"
#include "speech/playersettings.h"
#include "speech/voicefile.h"

namespace corvale {

// A timer control of the window. Changing it goes through settimer() so the
// front end hears of it; its value is the record of what the timer does.
struct TimerControl {
    TimerId id;
    bool Enabled = false;
    int Interval = 0;  // milliseconds; 0 raises no events
};

struct Form {
    Platform* os = nullptr;  // the front end the window lives in

    // Controls.
    std::deque<std::string> List1;  // the voice queue: full clip paths, oldest first
    TimerControl Timer1{TimerId::Timer1};
    TimerControl holder{TimerId::holder};
    int pausedepth = 0;  // pauses waiting, one inside the other
    // Counts the keys that started speech (and the Ctrl presses). A handler
    // that paused before speaking says nothing once this has moved on: the
    // newer key has the voice.
    int speechturn = 0;
    bool focuslost = false;        // the window lost the focus and has not had it back
    bool settingsunsaved = false;  // a save of the settings failed, and was noted

    // Sound channels.
    std::unique_ptr<SoundDevice> ds;
    Slots<std::unique_ptr<SoundBuffer>, 16> soundbuffer;
    Slots<std::string, 16> soundfile;
    int nextslot = 0;

    // Puzzle model and play.
    int level = 0;
    int gamenumber = 0;      // counts the puzzles loaded, so a paused handler sees a new one
    std::string puzzlefile;  // the game path the puzzle was loaded from
    int cluecount = 0;
    Slots<std::string, 16> clueop, cluea, clueb, cluec, cluetext;
    Slots<std::string, 9> answerkey;
    int clueindex = 0;
    std::string selectedletter;
    int substitute = 0;
    Slots<std::string, 10> scratchletter, scratchdigit;
    // The pencil marks beside the pad: for each symbol the digits the player
    // noted it may still take, in digit order ("B" -> "357"); and the hints
    // asked for in this puzzle. Both are saved in the puzzle's marks file.
    std::map<std::string, std::string> marks;
    int hintsused = 0;
    // The letter a reading of P that did not fit the schedule stopped
    // before; a P pressed next reads on from it. "" otherwise.
    std::string padnext;

    // Delayed sound schedule.
    int schedcount = 0;
    Slots<std::string, 50> schedclip;
    Slots<int, 50> schedvol, schedpan, scheddelay;

    // The lines the large-print view shows now.
    std::vector<std::string> screen;
    // What the voice is saying, for the view's captions: the text, and for
    // a clip on the voice channel the ticks it has played of its charted
    // length (a length of 0 shows the whole text while it is said).
    std::string saying;
    int sayingticks = 0;
    int sayinglength = 0;
};

struct Module {
    std::string appversion;
    int chartcount = 0;
    Slots<std::string, 500> chartclip;
    Slots<double, 500> chartticks;
    int menulevel = 0;
    int menuitem = 0;
    int voicewait = 0;
    // The clips' language and the words the game composes in it (what voxlet
    // says for a clue, the large-print view's lines), read from voice.txt
    // at start-up.
    VoiceSettings voice;
    // The player's language, rate and volumes (settings.txt), and whether
    // the file was there but could not be read: the first save sets it aside.
    PlayerSettings settings;
    bool settingsunreadable = false;
};

extern Form Form1;
extern Module Module1;

// The folder of the clips and their chart, as every clip path begins with
// it: the program directory in a game folder, the data folder when installed.
inline const std::string& apppath() {
    return Form1.os->datadir;
}

void settimer(TimerControl& timer, bool enabled, int interval);

// Pause: handles events until `seconds` have passed (shell/pause.cpp).
void hold(double seconds);

// Announce: the clip alone in the voice queue, starting at the next tick.
void announce(const std::string& relativeclip);

// Says `text` through the game's voice (the one H speaks with), with
// `shown` as the view's caption while it is said (shell/view.cpp).
void speak(const std::string& text, const std::string& shown);

}  // namespace corvale
