// The real front end: an SDL2 window whose key presses and two timers drive
// the game on the main thread and which shows the large-print view, an
// SDL2_mixer sound device, the voice (speech-dispatcher, else espeak-ng or
// flite as voice.txt says), voxlet started as a process of its own, and the
// single-instance lock. What differs by operating system is in the _posix and
// _windows files beside this one.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "files/files.h"
#include "files/layout.h"
#include "platform/platform.h"
#include "platform/timers.h"

struct SDL_Window;
union SDL_Event;

namespace corvale {

class LargePrint;

// While the voice speaks (one of these in scope), a request to stop (SIGTERM
// or SIGINT; on Windows a console's Ctrl+C or close) does not end the game at
// once: the speech server would speak on after it. The request is kept,
// speechstop() stops the sentence, and the voice calls endonstopsignal()
// once the server has been told.
struct SpeakingNow {
    SpeakingNow();
    ~SpeakingNow();
    SpeakingNow(const SpeakingNow&) = delete;
    SpeakingNow& operator=(const SpeakingNow&) = delete;
};
// True once a stop signal has come while the voice spoke.
bool stopsignalled();
// Ends the game by the stop signal kept while the voice spoke, if one came.
void endonstopsignal();

class SdlPlatform : public Platform {
  public:
    SdlPlatform();
    ~SdlPlatform() override;

    // Makes the save folder the working directory. The desktop menu starts
    // the game in the home folder, and the version file the game writes into
    // its working directory belongs with the saves, not at the top of it.
    void workinsavedir();
    // Shows the window (black, captioned, with the view's lines) once
    // start-up is done.
    void show();
    // Reports a failure that ends the game: standard error, then a message
    // box where a window system is up.
    void report(const std::string& text);
    // Closes the devices, keeping what the audio driver wrote, and exits.
    [[noreturn]] void quit(int status);

    bool anotherinstance() override;
    void caption(const std::string& text) override;
    void view(const std::vector<std::string>& lines) override;
    std::unique_ptr<SoundDevice> opensound() override;
    Voice& voice() override;
    void msgbox(const std::string& text) override;
    void settimer(TimerId timer, int interval) override;
    void doevents() override;
    void waitevents() override;
    void spawn(const std::string& program, const std::string& tail) override;
    bool spawnedrunning() override;
    void stopspawned() override;
    [[noreturn]] void end(int status) override { quit(status); }
    bool exists(const std::string& path) override { return fileexists(path); }
    std::string readfile(const std::string& path) override { return readtextfile(path); }
    void writefile(const std::string& path, const std::string& text) override {
        writetextfile(path, text);
    }
    void renamefile(const std::string& from, const std::string& to) override {
        renametextfile(from, to);
    }
    void removefile(const std::string& path) override { removetextfile(path); }
    void note(const std::string& text) override { corvale::report(text); }

  private:
    Layout layout_;
    TimerDeadlines clock_;
    SDL_Window* window_ = nullptr;
    std::string title_;
    std::vector<std::string> lines_;
    std::unique_ptr<LargePrint> print_;
    std::unique_ptr<Voice> voice_;
    int lockfd_ = -1;

    bool speechstop();
    void showbox(const std::string& title, const std::string& text, bool error);
    void handle(const SDL_Event& event);
    bool dispatchtimer();
    void paint();
};

// Defined beside the mixer and the voice.
std::unique_ptr<SoundDevice> openmixer();
// The voice of voice.txt in `datadir`, or speech-dispatcher. It calls `stop`
// while it speaks: true ends the sentence at once.
std::unique_ptr<Voice> makevoice(const std::string& datadir, std::function<bool()> stop);

// The single-instance lock: the open, locked file, or -1 when another process
// holds it. Failure naming the file when it cannot be opened, locked or
// trusted (a symbolic link, not the player's, in a folder others may write).
int takelock(const std::string& path);
void droplock(int& fd);

// Starts a program without waiting; its exit is collected in the background.
void startprocess(const std::string& hostprogram, const std::string& argument);
// True while a program started by startprocess has not been collected.
bool processesrunning();
// Ends every program started by startprocess still running (SIGTERM; on
// Windows, TerminateProcess).
void stopprocesses();

}  // namespace corvale
