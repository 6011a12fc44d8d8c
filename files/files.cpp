// Whole-file reads and safe writes, the game-path reads and writes over them,
// and the small text helpers every reader shares. A save must never leave a
// truncated file behind, so writes go through a temporary file that is
// flushed and renamed over the old one. The calls beneath (files/hostfile.h),
// host paths, renames and removals differ by operating system and live in
// files_posix.cpp and files_windows.cpp.
#include "files/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "files/hostfile.h"
#include "platform/failure.h"

namespace corvale {

namespace {

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

std::string why() {
    return std::strerror(errno);
}

}  // namespace

std::string readwholefile(const std::string& path, std::size_t most) {
    // Non-blocking, so a FIFO or a device standing in a file's place is
    // refused at once rather than waited on for ever.
    int fd = hostfile::openread(path);
    if (fd < 0) {
        // Windows opens no folder as a file, and says only "Permission denied".
        if (hostfile::isfolder(path)) fail("cannot read " + path + ": it is not a plain file");
        fail("cannot open " + path + ": " + why());
    }
    auto refuse = [&](const std::string& reason) {
        hostfile::closefile(fd);
        fail("cannot read " + path + ": " + reason);
    };
    unsigned long long size = 0;
    int plain = hostfile::plainfile(fd, size);
    if (plain < 0) refuse(why());
    if (plain == 0) refuse("it is not a plain file");
    // Refused by its size before a byte is read: a huge file (a sparse one
    // costs nothing on disk) would otherwise take the memory and the time.
    auto toolarge = [&](unsigned long long held) {
        refuse("it holds " + std::to_string(held) + " bytes, more than the " +
               std::to_string(most) + " any valid file of its kind holds");
    };
    if (size > most) toolarge(size);
    std::string text;
    char buf[16384];
    for (;;) {
        long n = hostfile::readsome(fd, buf, sizeof buf);
        if (n < 0) refuse(why());
        if (n == 0) break;
        text.append(buf, static_cast<std::size_t>(n));
        // A file that grows while it is read is held to the same bound.
        if (text.size() > most) toolarge(text.size());
    }
    hostfile::closefile(fd);
    return text;
}

void writefileatomic(const std::string& path, const std::string& text, const WriteCalls& calls) {
    const std::string temp = path + ".new";
    auto refuse = [&](const std::string& step, int fd) {
        std::string reason = why();
        if (fd >= 0) hostfile::closefile(fd);
        hostfile::removequietly(temp);
        fail("cannot save " + path + ": " + step + reason);
    };
    int fd = hostfile::createfile(temp);
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
    if (hostfile::closefile(fd) != 0) refuse("flushing " + temp + ": ", -1);
    if (calls.rename(temp.c_str(), path.c_str()) != 0) refuse("", -1);
    // The rename is done and the new file whole; flushing the folder makes
    // the rename itself durable. Some file systems cannot flush a folder,
    // and the save has happened either way, so a refusal here is no failure.
    hostfile::flushfolder(path, calls);
}

std::string hostpath(const std::string& gamepath) {
    std::string path = hostfile::withseparators(gamepath);
    if (std::string found = hostfile::resolved(path); !found.empty()) return found;
    // The game names every clip NAME.wav; the sets hold NAME.ogg.
    constexpr std::string_view wav = ".wav";
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (path.size() > wav.size() && std::equal(wav.begin(), wav.end(), path.end() - wav.size(),
                                               [&](char a, char b) { return a == lower(b); }))
        if (std::string found =
                hostfile::resolved(path.substr(0, path.size() - wav.size()) + ".ogg");
            !found.empty())
            return found;
    return path;
}

std::string readtextfile(const std::string& gamepath) {
    return readwholefile(hostpath(gamepath), mostgamefile);
}

void writetextfile(const std::string& gamepath, const std::string& text) {
    writefileatomic(hostpath(gamepath), text);
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

}  // namespace corvale
