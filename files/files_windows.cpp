// The file calls on Windows: game paths to host paths, the calls under
// whole-file reads and safe writes (files/hostfile.h), renames, removals, and
// UTF-8 names as Windows's UTF-16. Files are opened in binary mode, so a CR
// LF in a pad or a puzzle is read and written as it is and never doubled. A
// save's temporary file is flushed to disk (_commit is FlushFileBuffers) and
// moved over the old one in a single replacing, write-through rename.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <cstring>
#include <regex>
#include <vector>

#include "files/files.h"
#include "files/hostfile.h"
#include "files/wide.h"
#include "platform/failure.h"

namespace corvale {

namespace {

std::string why() {
    return std::strerror(errno);
}

// errno for the commonest Windows errors, so a failed rename reads like the
// other failed steps of a save.
int errnumber(DWORD code) {
    switch (code) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_ALREADY_EXISTS:
        case ERROR_FILE_EXISTS:
            return EEXIST;
        default:
            return EIO;
    }
}

// Replaces `to` with `from` and waits until the move is on disk.
int replacefile(const char* from, const char* to) {
    if (MoveFileExW(widen(from).c_str(), widen(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    errno = errnumber(GetLastError());
    return -1;
}

}  // namespace

std::wstring widen(const std::string& utf8) {
    if (utf8.empty()) return {};
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) fail("cannot use the name " + shown(utf8) + ": it is not valid UTF-8");
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        wide.data(), n);
    return wide;
}

std::string narrow(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    int n = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(),
                                static_cast<int>(utf16.size()), nullptr, 0, nullptr, nullptr);
    if (n <= 0) fail("cannot use a name the system gave: it is not valid UTF-16");
    std::string utf8(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16.data(), static_cast<int>(utf16.size()),
                        utf8.data(), n, nullptr, nullptr);
    return utf8;
}

std::string windowserror(unsigned long code) {
    wchar_t* text = nullptr;
    DWORD n = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text ? text : L"", n);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r' ||
                                message.back() == L'.' || message.back() == L' '))
        message.pop_back();
    if (message.empty()) return "error " + std::to_string(code);
    return narrow(message);
}

std::string programdirectory() {
    std::vector<wchar_t> buf(MAX_PATH);
    for (;;) {
        DWORD n = GetModuleFileNameW(nullptr, buf.data(), static_cast<DWORD>(buf.size()));
        if (n == 0) fail("cannot find the program directory: " + windowserror(GetLastError()));
        if (n < buf.size()) {
            std::string exe = narrow(std::wstring(buf.data(), n));
            return exe.substr(0, exe.find_last_of("\\/"));
        }
        buf.resize(buf.size() * 2);
    }
}

namespace hostfile {

// Windows takes either slash; the separators are made the system's own, so
// the paths the game shows and compares are in one form.
std::string withseparators(std::string gamepath) {
    for (char& c : gamepath)
        if (c == '/') c = '\\';
    return gamepath;
}

// Windows's file systems ignore letter case: a path that is there is found
// as written.
std::string resolved(const std::string& path) {
    struct _stat64 st {};
    return ::_wstat64(widen(path).c_str(), &st) == 0 ? path : "";
}

}  // namespace hostfile

std::string folderof(const std::string& hostpath) {
    return hostpath.substr(0, hostpath.find_last_of("\\/"));
}

bool fileexists(const std::string& gamepath) {
    struct _stat64 st {};
    return ::_wstat64(widen(hostpath(gamepath)).c_str(), &st) == 0 &&
           (st.st_mode & _S_IFMT) == _S_IFREG;
}

namespace hostfile {

int openread(const std::string& path) {
    return ::_wopen(widen(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

int plainfile(int fd, unsigned long long& size) {
    struct _stat64 st {};
    if (::_fstat64(fd, &st) != 0) return -1;
    size = static_cast<unsigned long long>(st.st_size);
    return (st.st_mode & _S_IFMT) == _S_IFREG ? 1 : 0;
}

long readsome(int fd, char* buf, std::size_t size) {
    return ::_read(fd, buf, static_cast<unsigned>(size));
}

int createfile(const std::string& path) {
    return ::_wopen(widen(path).c_str(), _O_WRONLY | _O_CREAT | _O_TRUNC | _O_BINARY | _O_NOINHERIT,
                    _S_IREAD | _S_IWRITE);
}

int closefile(int fd) {
    return ::_close(fd);
}

void removequietly(const std::string& path) {
    ::_wunlink(widen(path).c_str());
}

bool isfolder(const std::string& path) {
    struct _stat64 st {};
    return ::_wstat64(widen(path).c_str(), &st) == 0 && (st.st_mode & _S_IFMT) == _S_IFDIR;
}

// The rename was written through: it is on disk when it returns.
void flushfolder(const std::string&, const WriteCalls&) {}

}  // namespace hostfile

WriteCalls systemcalls() {
    return {[](int fd, const char* data, std::size_t size) -> long {
                // _write takes at most an unsigned int at a time.
                unsigned chunk = size > (1u << 30) ? (1u << 30) : static_cast<unsigned>(size);
                return ::_write(fd, data, chunk);
            },
            // _commit is FlushFileBuffers on the file's handle.
            [](int fd) { return ::_commit(fd); }, replacefile};
}

void renametextfile(const std::string& from, const std::string& to) {
    std::string a = hostpath(from), b = hostpath(to);
    if (replacefile(a.c_str(), b.c_str()) != 0)
        fail("cannot rename " + a + " to " + b + ": " + why());
}

void removetextfile(const std::string& gamepath) {
    std::string host = hostpath(gamepath);
    if (::_wunlink(widen(host).c_str()) != 0 && errno != ENOENT)
        fail("cannot remove " + host + ": " + why());
}

// A folder is a drive or a separator followed by names and separators; a
// name may hold blanks, as "Program Files" and many players' own folders do.
std::string withoutfolders(const std::string& report) {
    static const std::regex folders(R"(([A-Za-z]:)?([\\/][^\\/"':\r\n]+)+[\\/])");
    return std::regex_replace(report, folders, "");
}

}  // namespace corvale
