// Starting a program without waiting for it, on Windows. A detached thread
// waits on each child's handle and then forgets it, and keeps the set of
// children still running, so the game can let one finish speaking or end
// them all when newer speech takes the voice. The child gets no console of
// its own and inherits no handle of the game's (the lock above all).
#include <windows.h>

#include <mutex>
#include <set>
#include <thread>

#include "files/wide.h"
#include "frontend/sdl/sdl_platform.h"
#include "frontend/sdl/winargs.h"
#include "platform/failure.h"

namespace corvale {

namespace {
std::mutex lock;
// Children still running: while a handle is here it is open, so the
// process it names cannot be another's.
std::set<HANDLE> running;
}  // namespace

bool processesrunning() {
    std::lock_guard<std::mutex> guard(lock);
    return !running.empty();
}

void stopprocesses() {
    std::lock_guard<std::mutex> guard(lock);
    for (HANDLE process : running) TerminateProcess(process, 1);
}

void startprocess(const std::string& hostprogram, const std::string& argument) {
    std::string name = hostprogram.substr(hostprogram.find_last_of("\\/") + 1);
    std::wstring program = widen(hostprogram);
    std::wstring line = widen(quotedargument(name) + " " + quotedargument(argument));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child{};
    std::lock_guard<std::mutex> guard(lock);
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW,
                        nullptr, nullptr, &startup, &child))
        fail("cannot start " + hostprogram + ": " + windowserror(GetLastError()));
    CloseHandle(child.hThread);
    HANDLE process = child.hProcess;
    running.insert(process);
    std::thread([process] {
        WaitForSingleObject(process, INFINITE);
        std::lock_guard<std::mutex> forget(lock);
        running.erase(process);
        CloseHandle(process);
    }).detach();
}

}  // namespace corvale
