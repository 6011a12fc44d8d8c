// The one file layer of the game and its tools. Inside the game a path is
// the program directory followed by a backslash path ("\sounds\b.wav"); only
// this layer turns it into a host path, and it finds a clip whose name
// differs only in letter case, since the game asks for "\sounds\B.wav" where
// the set has b.ogg. Whole-file reads, atomic writes, the line splitter and
// the quoting of input in messages live here too, so the game, clipgen and
// corvale-puzzle read and write files the same way.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// The folder holding the running executable, without a trailing slash.
std::string programdirectory();

// Backslashes become slashes; a component that is missing is looked up
// again without regard to letter case. A clip the game names NAME.wav that is
// not there is found as NAME.ogg, the form the clip sets are built in. A path
// that resolves to nothing comes back converted but otherwise unchanged.
std::string hostpath(const std::string& gamepath);

bool fileexists(const std::string& gamepath);

// The folder a host path lies in: the path up to its last separator.
std::string folderof(const std::string& hostpath);

// The most a text file the game reads may hold: a pad, a marks file, a
// puzzle, voice.txt or the clip chart. The largest valid one, a chart of all
// 500 clips with long names, stays well under it; a pad or a puzzle holds a
// few hundred bytes. The clip table clipgen reads at build time is not held
// to it.
constexpr std::size_t mostgamefile = 64 * 1024;

// The whole file at a host path; Failure naming the file when it cannot be
// read, is not a plain file (a FIFO is never waited on) or holds more than
// `most` bytes, refused by its size before it is read.
std::string readwholefile(const std::string& path, std::size_t most = SIZE_MAX);

// The system calls an atomic write makes, so a test can make one fail on
// cue and see that the old file survives. Each returns what the system call
// returns and leaves errno set on failure.
struct WriteCalls {
    std::function<long(int fd, const char* data, std::size_t size)> write;
    std::function<int(int fd)> fsync;  // of the file, then of its folder
    std::function<int(const char* from, const char* to)> rename;
};
WriteCalls systemcalls();

// Replaces the file at a host path whole or not at all: the text goes to
// PATH.new, which is flushed to disk and renamed over the old file, and then
// the folder is flushed so the rename itself survives a power cut. Failure
// naming the file when any step fails; the old file is then left as it was
// and the temporary file removed.
void writefileatomic(const std::string& path, const std::string& text,
                     const WriteCalls& calls = systemcalls());

// The same two for game paths; a read is held to mostgamefile.
std::string readtextfile(const std::string& gamepath);
void writetextfile(const std::string& gamepath, const std::string& text);
// Renames a file over another, or removes one if it is there; Failure naming
// the file otherwise.
void renametextfile(const std::string& from, const std::string& to);
void removetextfile(const std::string& gamepath);

// The lines of a text, CR LF or LF alone; a last line without its line end
// still counts, an empty tail after the last line end does not.
std::vector<std::string> splitlines(std::string_view text);

// `s` without the characters of `blanks` at either end.
std::string_view trim(std::string_view s, std::string_view blanks = " \t");

// A text drops a UTF-8 byte-order mark at its start: editors on other
// systems write one, and it is never part of what the file says.
std::string_view withoutbom(std::string_view text);

// Input quoted for a message: in double quotes, control bytes written as
// \xNN, and cut after `most` bytes (never inside a UTF-8 character) with
// "..." so a huge field cannot flood the screen or the message box.
std::string shown(std::string_view text, std::size_t most = 40);

// A report as it is said aloud: every file is named by its name alone. A
// folder read out takes seconds and tells a listener little; the written
// report keeps it.
std::string withoutfolders(const std::string& report);

}  // namespace corvale
