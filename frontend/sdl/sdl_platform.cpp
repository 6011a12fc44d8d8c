// The SDL window and the event loop. Timers are deadlines kept on the main
// thread: waiting blocks in SDL until the next deadline or input, so an idle
// game or a pause costs no processor time, and a late timer event is handled
// once (events of one timer coalesce, as the game expects).
#include "frontend/sdl/sdl_platform.h"

#include <SDL.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "files/files.h"
#include "frontend/sdl/keymap.h"
#include "frontend/sdl/largeprint.h"
#include "frontend/sdl/stopping.h"
#include "platform/failure.h"
#include "platform/keys.h"
#include "speech/playersettings.h"

namespace corvale {

namespace {

// The game's key for an SDL key press, if it has one.
std::optional<GameKey> pressed(const SDL_KeyboardEvent& press) {
    return gamekey(press.keysym.scancode, press.keysym.sym, press.keysym.mod);
}

// Notes whether a Ctrl or Escape press waits in the queue; it stays there.
int findstopkey(void* found, SDL_Event* event) {
    if (event->type == SDL_KEYDOWN) {
        std::optional<GameKey> key = pressed(event->key);
        if (key && (key->code == keyCtrl || key->code == keyEscape))
            *static_cast<bool*>(found) = true;
    }
    return 1;
}

bool windowsystem() {
    const char* driver = SDL_GetCurrentVideoDriver();
    return driver && std::string(driver) != "dummy" && std::string(driver) != "offscreen";
}

// True when SDL_VIDEODRIVER (one name or a comma-separated list) names the
// driver: tests ask for the dummy driver on purpose.
bool askedfor(const char* driver) {
    const char* asked = std::getenv("SDL_VIDEODRIVER");
    if (!asked || !driver) return false;
    std::string list = std::string(",") + asked + ",";
    return list.find(std::string(",") + driver + ",") != std::string::npos;
}

}  // namespace

SdlPlatform::SdlPlatform() {
    layout_ = findlayout(programdirectory(), std::getenv);
    // The clip set of the player's language, chosen once for the session.
    datadir = languagefolder(layout_.datadir, layout_.settingsfile, std::getenv);
    savedir = layout_.savedir;
    settingsfile = layout_.settingsfile;
    std::random_device entropy;
    seed = (static_cast<std::uint64_t>(entropy()) << 32) ^ entropy();
    if (layout_.installed) makefolders(savedir);
    // Without this SDL loads a GL stack for the window: memory and start-up
    // time the game has no use for.
    SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    if (SDL_Init(SDL_INIT_VIDEO) != 0)
        fail(std::string("cannot start SDL video: ") + SDL_GetError());
    // With no window system SDL falls back to a driver that shows nothing
    // and delivers no keys: the game would greet the player and never hear
    // a key. Only a driver asked for by name is taken as meant.
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!windowsystem() && !askedfor(driver))
        fail(std::string("no display: Corvale needs a desktop session (X11 or Wayland) to read "
                         "the keyboard, and SDL found only its \"") +
             (driver ? driver : "none") + "\" video driver");
    // Before anything that may wait on another program (the speech server
    // below), so SIGTERM and SIGINT end the game in every state.
    takestopsignals();
    // Made now, so a speech server that CORVALE_SPEECH insists on and that
    // does not answer ends the game at start-up rather than at the first H.
    voice_ = makevoice(datadir, [this] { return speechstop(); });
}

SdlPlatform::~SdlPlatform() {
    droplock(lockfd_);
}

bool SdlPlatform::anotherinstance() {
    lockfd_ = takelock(layout_.lockfile);
    return lockfd_ < 0;
}

void SdlPlatform::caption(const std::string& text) {
    title_ = text;
    if (window_) SDL_SetWindowTitle(window_, text.c_str());
}

void SdlPlatform::view(const std::vector<std::string>& lines) {
    lines_ = lines;
    paint();
}

namespace {
// The largest window: the view draws on a surface the size of the window,
// so one stretched across a huge screen would take hundreds of megabytes;
// past a 4K screen the text gains nothing a player can see.
constexpr int mostwide = 3840, mosthigh = 2160;
}  // namespace

void SdlPlatform::show() {
    window_ = SDL_CreateWindow(title_.c_str(), SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                               640, 480, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE);
    if (!window_) fail(std::string("cannot create the window: ") + SDL_GetError());
    SDL_SetWindowMaximumSize(window_, mostwide, mosthigh);
    print_ = std::make_unique<LargePrint>();
    paint();
    SDL_RaiseWindow(window_);
}

void SdlPlatform::paint() {
    if (!print_) return;
    // Where no window manager keeps to the window's largest size, the window
    // is sized back and not drawn until it is: its surface, made at the
    // first drawing, must not grow with it.
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    if (w > mostwide || h > mosthigh) {
        SDL_SetWindowSize(window_, std::min(w, mostwide), std::min(h, mosthigh));
        return;
    }
    print_->paint(window_, lines_);
}

void SdlPlatform::workinsavedir() {
    enterfolder(savedir);
}

std::unique_ptr<SoundDevice> SdlPlatform::opensound() {
    std::unique_ptr<SoundDevice> device = openmixer();
    // The game's message box speaks to the player; the reason the system
    // gave is for whoever reads the log.
    if (!device) corvale::report(std::string("cannot open the sound device: ") + SDL_GetError());
    return device;
}

Voice& SdlPlatform::voice() {
    return *voice_;
}

// Asked over and over while a sentence is spoken. A Ctrl or Escape press
// stops it and stays queued, so the game goes on to silence everything or
// to the menu; other keys wait their turn. A request to end the program
// stops it too, and stays queued for the event loop to act on.
bool SdlPlatform::speechstop() {
    if (stopsignalled()) return true;
    SDL_PumpEvents();
    if (SDL_HasEvent(SDL_QUIT)) return true;
    bool found = false;
    SDL_FilterEvents(findstopkey, &found);
    return found;
}

void SdlPlatform::showbox(const std::string& title, const std::string& text, bool error) {
    corvale::report(text);
    if (!windowsystem()) return;
    // The box may be shown from a forked child, which would inherit the lock
    // and keep every later start refused.
    droplock(lockfd_);
    SDL_ShowSimpleMessageBox(error ? SDL_MESSAGEBOX_ERROR : SDL_MESSAGEBOX_INFORMATION,
                             title.c_str(), text.c_str(), window_);
}

void SdlPlatform::msgbox(const std::string& text) {
    showbox("Corvale", text, false);
}

void SdlPlatform::report(const std::string& text) {
    showbox("Corvale has stopped", text, true);
}

void SdlPlatform::quit(int status) {
    // Only the program's own streams: flushing every stream would wait for
    // the lock speech-dispatcher's client holds on its socket while it
    // listens, which it may hold for ever.
    std::fflush(stdout);
    std::fflush(stderr);
    // Closing the audio flushes what the disk driver captured; the game's
    // buffers and state are left to the process's end.
    SDL_Quit();
    droplock(lockfd_);
    std::_Exit(status);
}

namespace {
long long nowms() {
    return static_cast<long long>(SDL_GetTicks64());
}
}  // namespace

void SdlPlatform::settimer(TimerId timer, int interval) {
    clock_.set(timer, interval, nowms());
}

bool SdlPlatform::dispatchtimer() {
    std::optional<TimerId> due = clock_.takedue(nowms());
    if (!due) return false;
    handlers.timer(*due);
    return true;
}

void SdlPlatform::handle(const SDL_Event& event) {
    switch (event.type) {
        case SDL_QUIT:
            quit(0);
        case SDL_WINDOWEVENT:
            // The view follows the window's size.
            if (event.window.event == SDL_WINDOWEVENT_EXPOSED ||
                event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
                paint();
            if (handlers.focus && (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED ||
                                   event.window.event == SDL_WINDOWEVENT_FOCUS_LOST))
                handlers.focus(event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED);
            break;
        case SDL_KEYDOWN:
            if (std::optional<GameKey> key = pressed(event.key)) {
                int code = key->code, mask = key->mask;
                handlers.keydown(code, mask, event.key.repeat != 0);
            }
            break;
        default:
            break;
    }
}

namespace {
bool poll(SDL_Event& event) {
    InSdlWait waiting;
    return SDL_PollEvent(&event) != 0;
}
}  // namespace

void SdlPlatform::doevents() {
    SDL_Event event;
    for (;;) {
        if (poll(event))
            handle(event);
        else if (!dispatchtimer())
            return;
    }
}

void SdlPlatform::waitevents() {
    SDL_Event event;
    if (poll(event)) {
        handle(event);
    } else if (!dispatchtimer()) {
        long long next = clock_.next(), now = nowms();
        int timeout = next < 0 ? -1 : static_cast<int>(next > now ? next - now : 0);
        bool got = false;
        {
            InSdlWait waiting;
            got = SDL_WaitEventTimeout(&event, timeout) != 0;
        }
        if (got) handle(event);
    }
    doevents();
}

void SdlPlatform::spawn(const std::string& program, const std::string& tail) {
    startprocess(layout_.helperdir + "/" + program + programsuffix, tail);
}

bool SdlPlatform::spawnedrunning() {
    return processesrunning();
}

void SdlPlatform::stopspawned() {
    stopprocesses();
}

}  // namespace corvale
