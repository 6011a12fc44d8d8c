// The single-instance lock: an exclusive flock on a file in the save folder,
// the folder whose pads it protects, so two copies of one player never both
// write pads whatever their environments say. It is opened close-on-exec so
// the voxlet processes the game starts do not inherit it and keep a later
// start refused. Only a lock held by another running copy means "already
// running"; a lock file that cannot be opened, locked or trusted is a
// failure the player must hear about, not a silent exit. A lock is trusted
// when it is a plain file of the player's own, not reached through a
// symbolic link, in a folder no other user can swap it in: another user's
// lock could be held for ever, or stand for a file of theirs.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "frontend/sdl/sdl_platform.h"
#include "platform/failure.h"

namespace corvale {

namespace {

[[noreturn]] void untrusted(const std::string& path, const std::string& why) {
    fail("cannot trust the lock file " + path + ": " + why);
}

// A folder another user owns lets them replace the lock; so does one every
// user may write to, unless it is sticky (as /tmp is), where only a file's
// owner may remove it. A group-writable folder is left alone: with a group
// of one's own, as many systems give each user, that is the player alone.
void checkfolder(const std::string& path) {
    std::string::size_type slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "."
                               : slash == 0               ? "/"
                                                          : path.substr(0, slash);
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return;  // the open below names the reason
    if (st.st_uid != ::geteuid() && st.st_uid != 0)
        untrusted(path, "its folder belongs to another user");
    if ((st.st_mode & S_IWOTH) && !(st.st_mode & S_ISVTX))
        untrusted(path, "its folder may be written by every user");
}

}  // namespace

int takelock(const std::string& path) {
    checkfolder(path);
    // Non-blocking, so a FIFO planted in its place cannot hang the start.
    int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK, 0600);
    if (fd < 0 && errno == ELOOP) untrusted(path, "it is a symbolic link");
    if (fd < 0) fail("cannot open the lock file " + path + ": " + std::strerror(errno));
    struct stat st {};
    const char* why = nullptr;
    if (::fstat(fd, &st) != 0)
        why = "it cannot be examined";
    else if (!S_ISREG(st.st_mode))
        why = "it is not a plain file";
    else if (st.st_uid != ::geteuid())
        why = "it belongs to another user";
    if (why) {
        ::close(fd);
        untrusted(path, why);
    }
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
