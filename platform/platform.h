// The narrow interface between the game and the operating system. The game
// asks for timers, a chance to handle waiting events, a sound device, a
// speech voice, a process start and lines of text to show through this, and
// is handed key presses and timer events back through plain function
// pointers. The SDL front end
// (frontend/sdl) runs it for real; the fake front end (frontend/fake) runs it
// on a virtual clock for tests.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "platform/failure.h"

namespace corvale {

// One clip loaded whole, bound to one channel of the device. Destroying it
// releases the clip; whatever it was playing falls silent.
class SoundBuffer {
  public:
    virtual ~SoundBuffer() = default;
    virtual void Play() = 0;  // once, from the start; returns at once
    virtual void Stop() = 0;
    // Attenuation in hundredths of a decibel, -10000..0. Outside: Failure.
    virtual void SetVolume(int hundredths) = 0;
    // -10000 (left) .. 10000 (right). Outside: Failure.
    virtual void SetPan(int pan) = 0;
};

class SoundDevice {
  public:
    virtual ~SoundDevice() = default;
    // A new stopped buffer for channel 0..16 holding the clip at `path` (a
    // game path: program directory and a backslash path). Failure when the
    // clip cannot be read.
    virtual std::unique_ptr<SoundBuffer> CreateSoundBufferFromFile(int channel,
                                                                   const std::string& path) = 0;
};

// The speech voice. Speak returns when the text has been spoken, or as soon
// as the player presses Ctrl or Escape, which the game then handles as usual.
class Voice {
  public:
    virtual ~Voice() = default;
    virtual void Speak(const std::string& text, int rate, int volume) = 0;
};

enum class TimerId { Timer1, holder };

// What the front end calls in the game. Key codes and masks are the game's
// own names of platform/keys.h (keyTab, maskShift, ...), never SDL's.
// `repeat` is true for the key-downs the window system repeats while a key
// is held, false for the press itself.
struct Handlers {
    void (*keydown)(int& keycode, int& shift, bool repeat) = nullptr;
    void (*timer)(TimerId) = nullptr;
    // The window gained (true) or lost (false) the keyboard focus.
    void (*focus)(bool gained) = nullptr;
};

class Platform {
  public:
    virtual ~Platform() = default;

    // Where the game's files are (files/layout.h), without a trailing
    // slash: `datadir` holds the clips, their chart and the shipped puzzles;
    // `savedir` the scratch pads. In a game folder both are the program's own
    // folder; installed, they are the data folder and the player's state folder.
    std::string datadir;
    std::string savedir;
    // The player's settings file (a host path), "" for none.
    std::string settingsfile;
    // Where the chance of new puzzles comes from: the real front end draws
    // it from the system at start-up; a test sets what it needs.
    std::uint64_t seed = 0;
    Handlers handlers;

    virtual bool anotherinstance() = 0;
    virtual void caption(const std::string& text) = 0;
    // The large-print view: the window shows these lines of plain text
    // (UTF-8), large, in place of the ones it showed before. Drawing is the
    // front end's affair; the game never depends on what is seen.
    virtual void view(const std::vector<std::string>& lines) = 0;
    // The default sound device, or nullptr when it cannot be opened.
    virtual std::unique_ptr<SoundDevice> opensound() = 0;
    virtual Voice& voice() = 0;
    // A message box with an OK button; returns when the player closes it.
    virtual void msgbox(const std::string& text) = 0;

    // Interval 0 stops the timer; any other interval restarts its countdown
    // from now. At most one event of each timer waits at any time.
    virtual void settimer(TimerId timer, int interval) = 0;
    // Handles every event that is waiting now, then returns.
    virtual void doevents() = 0;
    // Blocks until at least one event waits, then handles every waiting one.
    virtual void waitevents() = 0;

    // Files, by game path (files/files.h). Both front ends use the real
    // files; the fake one can also make a read, a write or a rename fail on
    // cue. Each fails with a Failure naming the file.
    virtual bool exists(const std::string& path) = 0;
    virtual std::string readfile(const std::string& path) = 0;
    // Replaces the file whole or leaves it as it was.
    virtual void writefile(const std::string& path, const std::string& text) = 0;
    virtual void renamefile(const std::string& from, const std::string& to) = 0;
    // Removes a file if it is there.
    virtual void removefile(const std::string& path) = 0;
    // A line for whoever started the game (standard error), for what the
    // player is also told by a clip.
    virtual void note(const std::string& text) = 0;

    // Starts the program named `program` (voxlet) from the game's helper
    // folder (beside the game in a game folder, a private folder when
    // installed), with `tail` as its command tail, without waiting for it.
    // Failure when it cannot be started.
    virtual void spawn(const std::string& program, const std::string& tail) = 0;
    // True while any program started by spawn has not yet ended.
    virtual bool spawnedrunning() = 0;
    // Asks every program started by spawn that still runs to end now.
    virtual void stopspawned() = 0;
    // Ends the program at once with this exit status: 0 when the player
    // leaves or another copy already runs, anything else after a failure.
    [[noreturn]] virtual void end(int status) = 0;
};

}  // namespace corvale
