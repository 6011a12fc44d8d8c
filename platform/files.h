// Files as the game names them. Inside the game a path is the program
// directory followed by a backslash path ("\sounds\b.wav"); only this layer
// turns it into a host path, and it finds a clip whose name differs only in
// letter case, since the game asks for "\sounds\B.wav" where the set has b.wav.
#pragma once

#include <string>

namespace corvale {

// The folder holding the running executable, without a trailing slash.
std::string programdirectory();

// Backslashes become slashes; a component that is missing is looked up
// again without regard to letter case. A path that resolves to nothing comes
// back converted but otherwise unchanged.
std::string hostpath(const std::string& gamepath);

bool fileexists(const std::string& gamepath);

// The whole file; Failure naming the file when it cannot be read.
std::string readtextfile(const std::string& gamepath);

// Replaces the file whole or not at all: the text goes to a temporary file
// beside it, is flushed to disk and renamed over the old one. Failure naming
// the file when any step fails; the old file is then left as it was.
void writetextfile(const std::string& gamepath, const std::string& text);

}  // namespace corvale
