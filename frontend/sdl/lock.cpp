// The single-instance lock: an exclusive flock on a file in the layout's
// lock folder. It is opened close-on-exec so the voxlet processes the game
// starts do not inherit it and keep a later start refused. Only a lock held
// by another running copy means "already running"; a lock file that cannot
// be opened or locked at all is a failure the player must hear about, not a
// silent exit.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"

namespace corvale {

int takelock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0) fail("cannot open the lock file " + path + ": " + std::strerror(errno));
    int locked;
    do {
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        int err = errno;
        ::close(fd);
        if (err == EWOULDBLOCK) return -1;
        fail("cannot lock the lock file " + path + ": " + std::strerror(err));
    }
    return fd;
}

void droplock(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace corvale
