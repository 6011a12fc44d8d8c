// Game paths to host paths, and whole-file reads and safe writes. A save
// must never leave a truncated file behind, so writes go through a
// temporary file that is flushed and renamed over the old one.
#include "platform/files.h"

#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

#include "platform/failure.h"

namespace corvale {

namespace {

bool exists(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The entry of `dir` whose name equals `name` but for letter case, or "".
std::string findcaseless(const std::string& dir, const std::string& name) {
    DIR* d = ::opendir(dir.c_str());
    if (!d) return "";
    std::string found;
    while (dirent* e = ::readdir(d)) {
        if (::strcasecmp(e->d_name, name.c_str()) == 0) {
            found = e->d_name;
            break;
        }
    }
    ::closedir(d);
    return found;
}

std::string why() {
    return std::strerror(errno);
}

}  // namespace

std::string programdirectory() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) fail("cannot find the program directory: /proc/self/exe: " + why());
    std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

std::string hostpath(const std::string& gamepath) {
    std::string path = gamepath;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (exists(path)) return path;

    // Walk the path and repair each component that is missing as written.
    bool absolute = !path.empty() && path[0] == '/';
    std::string built = absolute ? "" : ".";
    std::istringstream parts(path);
    for (std::string part; std::getline(parts, part, '/');) {
        if (part.empty()) continue;
        std::string next = built + "/" + part;
        if (!exists(next)) {
            std::string match = findcaseless(built.empty() ? "/" : built, part);
            if (match.empty()) return path;
            next = built + "/" + match;
        }
        built = next;
    }
    return absolute ? built : built.substr(2);
}

bool fileexists(const std::string& gamepath) {
    struct stat st {};
    return ::stat(hostpath(gamepath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readtextfile(const std::string& gamepath) {
    std::string path = hostpath(gamepath);
    std::ifstream in(path, std::ios::binary);
    if (!in) fail("cannot open " + path + ": " + why());
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) fail("cannot read " + path + ": " + why());
    return text.str();
}

void writetextfile(const std::string& gamepath, const std::string& text) {
    std::string path = hostpath(gamepath);
    std::string temp = path + ".new";
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) fail("cannot save " + path + ": " + temp + ": " + why());
    std::size_t done = 0;
    while (done < text.size()) {
        ssize_t n = ::write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            std::string reason = why();
            ::close(fd);
            ::unlink(temp.c_str());
            fail("cannot save " + path + ": writing " + temp + ": " + reason);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        std::string reason = why();
        ::unlink(temp.c_str());
        fail("cannot save " + path + ": flushing " + temp + ": " + reason);
    }
    if (::rename(temp.c_str(), path.c_str()) != 0) {
        std::string reason = why();
        ::unlink(temp.c_str());
        fail("cannot save " + path + ": " + reason);
    }
}

}  // namespace corvale
