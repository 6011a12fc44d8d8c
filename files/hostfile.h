// The handful of file calls that differ between operating systems, under the
// whole-file reads and atomic writes of files.cpp. Private to files/: each
// system's answers are in files_posix.cpp and files_windows.cpp. Each call
// that can fail returns -1 and leaves errno set.
#pragma once

#include <cstddef>
#include <string>

#include "files/files.h"

namespace corvale::hostfile {

// A game path with the host's separators.
std::string withseparators(std::string gamepath);
// The host path of `path`, each component missing as written matched
// without regard to letter case where the file system minds it; "" when
// some component has no match.
std::string resolved(const std::string& path);

// Opens a file to read: binary, not inherited by programs the game starts,
// and never waiting (a FIFO in a file's place is refused, not waited on).
int openread(const std::string& path);
// 1 with the size when the open file is a plain file, 0 when it is not.
int plainfile(int fd, unsigned long long& size);
long readsome(int fd, char* buf, std::size_t size);
// Creates or empties a file to write: binary, not inherited.
int createfile(const std::string& path);
int closefile(int fd);
void removequietly(const std::string& path);
bool isfolder(const std::string& path);
// Makes a finished rename into the file's folder durable, where the system
// needs telling; a refusal is no failure, the save has happened.
void flushfolder(const std::string& path, const WriteCalls& calls);

}  // namespace corvale::hostfile
