// The file calls of a POSIX system: game paths to host paths, the calls
// under whole-file reads and safe writes (files/hostfile.h), renames and
// removals.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <regex>
#include <sstream>

#include "files/files.h"
#include "files/hostfile.h"
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

namespace hostfile {

std::string withseparators(std::string gamepath) {
    for (char& c : gamepath)
        if (c == '\\') c = '/';
    return gamepath;
}

std::string resolved(const std::string& path) {
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
            if (match.empty()) return "";
            next = built + "/" + match;
        }
        built = next;
    }
    return absolute ? built : built.substr(2);
}

}  // namespace hostfile

std::string folderof(const std::string& hostpath) {
    return hostpath.substr(0, hostpath.rfind('/'));
}

bool fileexists(const std::string& gamepath) {
    struct stat st {};
    return ::stat(hostpath(gamepath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

namespace hostfile {

int openread(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
}

int plainfile(int fd, unsigned long long& size) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) return -1;
    size = static_cast<unsigned long long>(st.st_size);
    return S_ISREG(st.st_mode) ? 1 : 0;
}

long readsome(int fd, char* buf, std::size_t size) {
    long n;
    do {
        n = ::read(fd, buf, size);
    } while (n < 0 && errno == EINTR);
    return n;
}

int createfile(const std::string& path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
}

int closefile(int fd) {
    return ::close(fd);
}

void removequietly(const std::string& path) {
    ::unlink(path.c_str());
}

bool isfolder(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void flushfolder(const std::string& path, const WriteCalls& calls) {
    std::size_t slash = path.rfind('/');
    std::string folder = slash == std::string::npos ? "."
                         : slash == 0               ? "/"
                                                    : path.substr(0, slash);
    int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        calls.fsync(dir);
        ::close(dir);
    }
}

}  // namespace hostfile

WriteCalls systemcalls() {
    return {
        [](int fd, const char* data, std::size_t size) -> long { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); }};
}

void renametextfile(const std::string& from, const std::string& to) {
    std::string a = hostpath(from), b = hostpath(to);
    if (::rename(a.c_str(), b.c_str()) != 0) fail("cannot rename " + a + " to " + b + ": " + why());
}

void removetextfile(const std::string& gamepath) {
    std::string host = hostpath(gamepath);
    if (::unlink(host.c_str()) != 0 && errno != ENOENT)
        fail("cannot remove " + host + ": " + why());
}

std::string withoutfolders(const std::string& report) {
    static const std::regex folders(R"((/[^/\s"':]+)+/)");
    return std::regex_replace(report, folders, "");
}

}  // namespace corvale
