// The single-instance lock: an exclusive flock on a file beside the program.
// It is opened close-on-exec so the voxlet processes the game starts do not
// inherit it and keep a later start refused.
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/sdl_platform.h"

namespace corvale {

int takelock(const std::string& path) {
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0) return -1;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

void droplock(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

}  // namespace corvale
