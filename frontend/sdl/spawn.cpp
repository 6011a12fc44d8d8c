// Starting a program without waiting for it. A detached thread waits for
// each child, so none is left a zombie while the game runs on, and counts
// the children still running, so the game can let one finish speaking.
#include <spawn.h>
#include <sys/wait.h>

#include <atomic>
#include <cstring>
#include <thread>

#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"

extern char** environ;

namespace corvale {

namespace {
std::atomic<int> running{0};
}

bool processesrunning() {
    return running.load() > 0;
}

void startprocess(const std::string& hostprogram, const std::string& argument) {
    std::string name = hostprogram.substr(hostprogram.rfind('/') + 1);
    char* argv[] = {name.data(), const_cast<char*>(argument.c_str()), nullptr};
    pid_t pid = 0;
    int err = ::posix_spawn(&pid, hostprogram.c_str(), nullptr, nullptr, argv, environ);
    if (err != 0) fail("cannot start " + hostprogram + ": " + std::strerror(err));
    ++running;
    std::thread([pid] {
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        --running;
    }).detach();
}

}  // namespace corvale
