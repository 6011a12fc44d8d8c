// Starting a program without waiting for it. A detached thread waits for
// each child, so none is left a zombie while the game runs on, and keeps the
// set of children still running, so the game can let one finish speaking or
// end them all when newer speech takes the voice.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <cstring>
#include <mutex>
#include <set>
#include <thread>

#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"

extern char** environ;

namespace corvale {

namespace {
std::mutex lock;
// Children not yet collected: while a pid is here it cannot belong to any
// other process, so a signal sent to it reaches our child.
std::set<pid_t> running;
}  // namespace

bool processesrunning() {
    std::lock_guard<std::mutex> guard(lock);
    return !running.empty();
}

void stopprocesses() {
    std::lock_guard<std::mutex> guard(lock);
    for (pid_t pid : running) ::kill(pid, SIGTERM);
}

void startprocess(const std::string& hostprogram, const std::string& argument) {
    std::string name = hostprogram.substr(hostprogram.rfind('/') + 1);
    char* argv[] = {name.data(), const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = 0;
    std::lock_guard<std::mutex> guard(lock);
    int err = ::posix_spawn(&pid, hostprogram.c_str(), nullptr, nullptr, argv, environ);
    if (err != 0) fail("cannot start " + hostprogram + ": " + std::strerror(err));
    running.insert(pid);
    std::thread([pid] {
        // Waits for the end without collecting it, so the pid stays ours
        // until it has left the set.
        siginfo_t info{};
        while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOWAIT) < 0 &&
               errno == EINTR) {
        }
        {
            std::lock_guard<std::mutex> forget(lock);
            running.erase(pid);
        }
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
    }).detach();
}

}  // namespace corvale
