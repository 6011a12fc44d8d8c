// The single-instance lock on Windows: an exclusive LockFileEx on a file in
// the save folder, whose pads it protects. The handle is not inheritable, so
// the voxlet processes the game starts never hold it. Only a lock held by
// another running copy means "already running"; a lock file that cannot be
// opened or locked is a failure the player must hear about. The descriptor
// handed back wraps the handle, and closing it releases the lock.
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "files/wide.h"
#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"

namespace corvale {

int takelock(const std::string& path) {
    HANDLE file = CreateFileW(widen(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        fail("cannot open the lock file " + path + ": " + windowserror(GetLastError()));
    if (GetFileType(file) != FILE_TYPE_DISK) {
        CloseHandle(file);
        fail("cannot trust the lock file " + path + ": it is not a plain file");
    }
    OVERLAPPED whole{};
    if (!LockFileEx(file, LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY, 0, 1, 0, &whole)) {
        DWORD error = GetLastError();
        CloseHandle(file);
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_IO_PENDING) return -1;
        fail("cannot lock the lock file " + path + ": " + windowserror(error));
    }
    int fd = _open_osfhandle(reinterpret_cast<intptr_t>(file), _O_RDWR);
    if (fd < 0) {
        CloseHandle(file);
        fail("cannot lock the lock file " + path + ": no descriptor is left for it");
    }
    return fd;
}

void droplock(int& fd) {
    if (fd >= 0) _close(fd);
    fd = -1;
}

}  // namespace corvale
