// Game paths to host paths, whole-file reads and safe writes, and the small
// text helpers every reader shares. A save must never leave a truncated file
// behind, so writes go through a temporary file that is flushed and renamed
// over the old one.
#include "files/files.h"

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

// The length of the whole UTF-8 character `s` starts with, or 0 when it
// starts with none (a stray continuation byte, a sequence cut short, an
// overlong or out-of-range form).
std::size_t utf8length(std::string_view s) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char c = byte(0);
    if (c < 0x80) return 1;
    std::size_t n = c >= 0xC2 && c <= 0xDF   ? 2
                    : c >= 0xE0 && c <= 0xEF ? 3
                    : c >= 0xF0 && c <= 0xF4 ? 4
                                             : 0;
    if (n == 0 || s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    if ((c == 0xE0 && byte(1) < 0xA0) || (c == 0xED && byte(1) > 0x9F) ||
        (c == 0xF0 && byte(1) < 0x90) || (c == 0xF4 && byte(1) > 0x8F))
        return 0;
    return n;
}

}  // namespace

std::string programdirectory() {
    char buf[4096];
    ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
    if (n <= 0) fail("cannot find the program directory: /proc/self/exe: " + why());
    std::string exe(buf, static_cast<std::size_t>(n));
    return exe.substr(0, exe.rfind('/'));
}

namespace {

// The host path of `path` with each component missing as written matched
// without regard to letter case, or "" when some component has no match.
std::string resolved(const std::string& path) {
    if (exists(path)) return path;
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

}  // namespace

std::string hostpath(const std::string& gamepath) {
    std::string path = gamepath;
    for (char& c : path)
        if (c == '\\') c = '/';
    if (std::string found = resolved(path); !found.empty()) return found;
    // The game names every clip NAME.wav; the sets hold NAME.ogg.
    constexpr std::string_view wav = ".wav";
    if (path.size() > wav.size() &&
        ::strcasecmp(path.c_str() + path.size() - wav.size(), wav.data()) == 0)
        if (std::string found = resolved(path.substr(0, path.size() - wav.size()) + ".ogg");
            !found.empty())
            return found;
    return path;
}

bool fileexists(const std::string& gamepath) {
    struct stat st {};
    return ::stat(hostpath(gamepath).c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

std::string readwholefile(const std::string& path, std::size_t most) {
    // Non-blocking, so a FIFO or a device standing in a file's place is
    // refused at once rather than waited on for ever.
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) fail("cannot open " + path + ": " + why());
    auto refuse = [&](const std::string& reason) {
        ::close(fd);
        fail("cannot read " + path + ": " + reason);
    };
    struct stat st {};
    if (::fstat(fd, &st) != 0) refuse(why());
    if (!S_ISREG(st.st_mode)) refuse("it is not a plain file");
    // Refused by its size before a byte is read: a huge file (a sparse one
    // costs nothing on disk) would otherwise take the memory and the time.
    auto toolarge = [&](unsigned long long size) {
        refuse("it holds " + std::to_string(size) + " bytes, more than the " +
               std::to_string(most) + " any valid file of its kind holds");
    };
    if (static_cast<unsigned long long>(st.st_size) > most)
        toolarge(static_cast<unsigned long long>(st.st_size));
    std::string text;
    char buf[16384];
    for (;;) {
        long n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) refuse(why());
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
        // A file that grows while it is read is held to the same bound.
        if (text.size() > most) toolarge(text.size());
    }
    ::close(fd);
    return text;
}

WriteCalls systemcalls() {
    return {
        [](int fd, const char* data, std::size_t size) -> long { return ::write(fd, data, size); },
        [](int fd) { return ::fsync(fd); },
        [](const char* from, const char* to) { return ::rename(from, to); }};
}

void writefileatomic(const std::string& path, const std::string& text, const WriteCalls& calls) {
    const std::string temp = path + ".new";
    auto refuse = [&](const std::string& step, int fd) {
        std::string reason = why();
        if (fd >= 0) ::close(fd);
        ::unlink(temp.c_str());
        fail("cannot save " + path + ": " + step + reason);
    };
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) refuse(temp + ": ", -1);
    std::size_t done = 0;
    while (done < text.size()) {
        long n = calls.write(fd, text.data() + done, text.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n == 0) errno = ENOSPC;  // a write that makes no progress never will
        if (n <= 0) refuse("writing " + temp + ": ", fd);
        done += static_cast<std::size_t>(n);
    }
    if (calls.fsync(fd) != 0) refuse("flushing " + temp + ": ", fd);
    if (::close(fd) != 0) refuse("flushing " + temp + ": ", -1);
    if (calls.rename(temp.c_str(), path.c_str()) != 0) refuse("", -1);
    // The rename is done and the new file whole; flushing the folder makes
    // the rename itself durable. Some file systems cannot flush a folder,
    // and the save has happened either way, so a refusal here is no failure.
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

std::string readtextfile(const std::string& gamepath) {
    return readwholefile(hostpath(gamepath), mostgamefile);
}

void writetextfile(const std::string& gamepath, const std::string& text) {
    writefileatomic(hostpath(gamepath), text);
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

std::vector<std::string> splitlines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        std::size_t stop = end == std::string_view::npos ? text.size() : end;
        std::string_view line = text.substr(start, stop - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.emplace_back(line);
        start = stop + 1;
    }
    return lines;
}

std::string_view trim(std::string_view s, std::string_view blanks) {
    std::size_t a = s.find_first_not_of(blanks);
    if (a == std::string_view::npos) return {};
    std::size_t b = s.find_last_not_of(blanks);
    return s.substr(a, b - a + 1);
}

std::string_view withoutbom(std::string_view text) {
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    return text;
}

std::string shown(std::string_view text, std::size_t most) {
    std::size_t keep = text.size();
    if (keep > most) {
        keep = most;
        // Back off to the start of a UTF-8 character.
        for (int k = 0;
             k < 3 && keep > 0 && (static_cast<unsigned char>(text[keep]) & 0xC0) == 0x80; ++k)
            --keep;
    }
    std::string out = "\"";
    for (std::size_t i = 0; i < keep;) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        std::size_t n = utf8length(text.substr(i, keep - i));
        if (n > 1 || (n == 1 && c >= 0x20 && c != 0x7F)) {
            out.append(text.substr(i, n));
            i += n;
            continue;
        }
        // A control byte, or a byte that starts no UTF-8 character.
        const char* hex = "0123456789ABCDEF";
        out += "\\x";
        out += hex[c >> 4];
        out += hex[c & 15];
        ++i;
    }
    out += "\"";
    if (keep < text.size()) out += "... (" + std::to_string(text.size()) + " bytes)";
    return out;
}

std::string withoutfolders(const std::string& report) {
    static const std::regex folders(R"((/[^/\s"':]+)+/)");
    return std::regex_replace(report, folders, "");
}

}  // namespace corvale
