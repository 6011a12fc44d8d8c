// The clip table: one clip a line, its name, a tab and the text spoken for
// it, optionally a further tab and the speaking rate (-10..20, 0 when left
// out), and after that, optionally, the longest the clip may last in
// milliseconds, silent margins and all. Blank lines and lines starting with
// "#" are notes for the reader.
// A row named "text:KEY" is no clip: it is a text the game composes while it
// plays (such as "Clue {n}"), passed on to the game folder's voice.txt.
#pragma once

#include <string>
#include <vector>

namespace corvale::clipgen {

struct Clip {
    std::string name;  // the file's name without ".wav": a-z, 0-9 and "_"; or "text:KEY"
    std::string text;
    int rate = 0;
    // A clip that must end within a fixed gap of the game's sounds: the most
    // milliseconds it may last, 0 for no limit. Each voice speaks at its own
    // pace, so clipgen speaks such a clip faster than `rate` where it must.
    int longest = 0;
    bool composed = false;  // a "text:KEY" row
    int line = 0;           // where the row stands in its table
};

constexpr const char* composedprefix = "text:";

// The clips in table order. Failure naming the file and line of the first
// line that is not a clip, names a clip twice, or names one of the clips
// made in code ("click", "win").
std::vector<Clip> parsetable(const std::string& content, const std::string& filename);

// The same, read from a file. Failure naming the file when it cannot be read.
std::vector<Clip> readtable(const std::string& filename);

}  // namespace corvale::clipgen
