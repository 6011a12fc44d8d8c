// The fake front end: one virtual clock drives the window's timers and the
// key presses a test scripts, and a sound device and voice record what the
// game asks of them. Handlers take no virtual time, so a test reads as a
// script: press Q, run 25 ticks, expect "4: \sounds\b.wav" among the plays.
#pragma once

#include <map>
#include <set>
#include <string>
#include <vector>

#include "files/files.h"
#include "platform/platform.h"
#include "platform/timers.h"

namespace corvale {

// Thrown by end() so a test sees the program end at the very call, as the
// real front end would end the process there.
struct ProgramEnded {};

// One call the game made on a sound buffer or the device.
struct SoundCall {
    long time;       // virtual milliseconds
    std::string op;  // load, play, stop, volume, pan, release
    int channel;
    std::string clip;  // the path without the data folder
    int value = 0;     // volume or pan
};

// One set of lines handed to the large-print view.
struct Screen {
    long time;  // virtual milliseconds
    std::vector<std::string> lines;
};

class FakePlatform : public Platform {
  public:
    explicit FakePlatform(std::string dir = "/game");

    // The virtual clock, in milliseconds since start-up.
    long now = 0;

    // What the test sets up.
    bool otherinstance = false;
    bool soundfails = false;
    std::set<std::string> missingclips;  // clips (without program dir) that fail to load
    long spawnms = 0;  // how long each spawned program runs, in virtual milliseconds
    // Virtual milliseconds each sentence takes to speak. A Ctrl or Escape
    // press that falls due meanwhile stops the sentence there and is then
    // handled by the game, as with the real voice; other keys wait until
    // Speak has returned.
    long speechlength = 0;
    // A file fault on cue: every access of a file whose path ends in
    // `failfile` fails at `failstep` ("read", "write", "fsync" or "rename")
    // with the error `failerror`. A failed write has written half its text.
    std::string failfile, failstep;
    int failerror = 5;  // EIO

    // What the game did.
    std::vector<SoundCall> sounds;
    std::vector<std::string> speech;    // "text|rate|volume"
    int speechstopped = 0;              // sentences Ctrl or Escape cut short
    std::vector<std::string> spawned;   // "program tail"
    int spawnstops = 0;                 // calls of stopspawned() that found a program running
    std::vector<std::string> messages;  // message boxes
    std::vector<std::string> notes;     // lines for standard error
    std::string title;
    std::vector<Screen> screens;  // every set of lines the view was handed
    bool ended = false;
    int endstatus = -1;

    // Scripted keys, handled when the clock reaches them (keys before timers
    // at the same moment). `repeat` marks a key-down the window system
    // repeats while the key is held.
    void press(int keycode, int shift = 0) { pressat(now, keycode, shift); }
    void pressat(long time, int keycode, int shift = 0, bool repeat = false);

    // Advances the clock by `ms`, handling every event that falls due.
    void run(long ms);
    void ticks(int n) { run(50L * n); }

    // The plays, as "channel: clip", and with their time as "ms channel: clip".
    std::vector<std::string> plays() const;
    std::vector<std::string> timedplays() const;
    int loads(const std::string& clip) const;

    // Platform.
    bool anotherinstance() override { return otherinstance; }
    void caption(const std::string& text) override { title = text; }
    void view(const std::vector<std::string>& lines) override { screens.push_back({now, lines}); }
    std::unique_ptr<SoundDevice> opensound() override;
    Voice& voice() override { return voice_; }
    void msgbox(const std::string& text) override { messages.push_back(text); }
    void settimer(TimerId timer, int interval) override;
    void doevents() override;
    void waitevents() override;
    void spawn(const std::string& program, const std::string& tail) override;
    bool spawnedrunning() override { return now < spawnedend_; }
    void stopspawned() override;
    [[noreturn]] void end(int status) override;
    bool exists(const std::string& path) override { return fileexists(path); }
    std::string readfile(const std::string& path) override;
    void writefile(const std::string& path, const std::string& text) override;
    void renamefile(const std::string& from, const std::string& to) override;
    void removefile(const std::string& path) override { removetextfile(path); }
    void note(const std::string& text) override { notes.push_back(text); }

    // Interval and next firing of each timer, for tests of the pause.
    TimerDeadlines clock;

    std::string clipname(const std::string& path) const;

  private:
    struct RecordingVoice : Voice {
        FakePlatform* fake;
        explicit RecordingVoice(FakePlatform* f) : fake(f) {}
        void Speak(const std::string& text, int rate, int volume) override;
    };
    RecordingVoice voice_{this};
    struct Key {
        int code, shift;
        bool repeat;
    };
    std::multimap<long, Key> keys_;
    long spawnedend_ = 0;  // when the last spawned program ends

    bool dispatchone();
    void speak();  // lets the virtual clock run through one sentence
    bool faulty(const std::string& path, const char* step) const;
    long nextdue() const;  // -1 when nothing will ever fall due
};

}  // namespace corvale
