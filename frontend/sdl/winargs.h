// One argument of a Windows command line, written so that the C runtime of
// the program started splits it back out exactly: Windows hands a program
// one line, and each program's runtime cuts it into arguments by its own
// rules of quotes and backslashes. Plain text, so it is tested everywhere.
#pragma once

#include <string>

namespace corvale {

std::string quotedargument(const std::string& argument);

}  // namespace corvale
