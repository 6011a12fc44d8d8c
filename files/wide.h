// Windows only: the game keeps every text and path in UTF-8, and Windows
// takes file names and command lines as UTF-16. These two convert at the
// system call, and nowhere else.
#pragma once

#include <string>

namespace corvale {

// Failure naming the text when it is not valid UTF-8 (or UTF-16).
std::wstring widen(const std::string& utf8);
std::string narrow(const std::wstring& utf16);

// The system's message for an error code of GetLastError(), in UTF-8.
std::string windowserror(unsigned long code);

}  // namespace corvale
