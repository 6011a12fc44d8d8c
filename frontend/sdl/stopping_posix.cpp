// Ending the game on SIGTERM and SIGINT on a POSIX system, and SDL's
// message-box child that must not outlive the game.
#include <pthread.h>
#include <sys/prctl.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstring>

#include "frontend/sdl/sdl_platform.h"
#include "frontend/sdl/stopping.h"
#include "platform/failure.h"

namespace corvale {

namespace {

// Ending on SIGTERM and SIGINT. SDL turns them into a quit event, which the
// game sees only where it waits for events; but the game also blocks where
// it waits for nothing else (the in-game voice speaking, a message box shown)
// and must still end promptly there. So the signal goes to SDL only while
// the main thread waits inside SDL for events, stops the sentence first while
// the voice speaks (see SpeakingNow), and ends the process at once anywhere
// else. That is safe for the pad: a save replaces its file whole
// or not at all, and a temporary file left behind is cleared at the next
// load.
volatile std::sig_atomic_t waitinginsdl = 0;
// While the voice speaks, a stop signal is kept here instead: the speech
// server would speak on after the game had gone, so the voice stops the
// sentence first (speechstop) and then ends the game with it.
volatile std::sig_atomic_t voicespeaking = 0;
volatile std::sig_atomic_t stopsignal = 0;
struct sigaction sdlhandlers[2];
constexpr int stopsignals[2] = {SIGTERM, SIGINT};

struct sigaction ourhandler;

void onstopsignal(int sig) {
    const struct sigaction& sdl = sdlhandlers[sig == SIGTERM ? 0 : 1];
    if (waitinginsdl && sdl.sa_handler != SIG_DFL && !(sdl.sa_flags & SA_SIGINFO)) {
        sdl.sa_handler(sig);
        // SDL's handler installs itself again; the next signal is ours.
        ::sigaction(sig, &ourhandler, nullptr);
        return;
    }
    if (voicespeaking) {
        stopsignal = sig;
        return;
    }
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

// SDL shows a message box from a forked child. Should the game end while the
// box is up, the child must not stay behind on the screen.
pid_t forkingparent = 0;
void beforefork() {
    forkingparent = ::getpid();
}
void inforkedchild() {
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != forkingparent) ::_exit(1);
}

}  // namespace

void takestopsignals() {
    ourhandler.sa_handler = onstopsignal;
    sigemptyset(&ourhandler.sa_mask);
    ourhandler.sa_flags = 0;
    for (int i = 0; i < 2; ++i) {
        ::sigaction(stopsignals[i], nullptr, &sdlhandlers[i]);
        // A signal the game was started ignoring (a background job's SIGINT)
        // stays ignored.
        if (sdlhandlers[i].sa_handler == SIG_IGN) continue;
        ::sigaction(stopsignals[i], &ourhandler, nullptr);
    }
    ::pthread_atfork(beforefork, nullptr, inforkedchild);
}

InSdlWait::InSdlWait() {
    waitinginsdl = 1;
}

InSdlWait::~InSdlWait() {
    waitinginsdl = 0;
}

SpeakingNow::SpeakingNow() {
    voicespeaking = 1;
}

SpeakingNow::~SpeakingNow() {
    voicespeaking = 0;
}

bool stopsignalled() {
    return stopsignal != 0;
}

void endonstopsignal() {
    const int sig = stopsignal;
    if (!sig) return;
    std::signal(sig, SIG_DFL);
    std::raise(sig);
}

const char* const programsuffix = "";

void enterfolder(const std::string& folder) {
    if (::chdir(folder.c_str()) != 0)
        fail("cannot enter the save folder " + folder + ": " + std::strerror(errno));
}

}  // namespace corvale
