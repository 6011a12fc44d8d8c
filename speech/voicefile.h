// voice.txt, the game folder's record of how the game speaks and what it
// says in words of its own: the speech engine and voice that made the clips,
// their language, and the texts the game composes while it plays (the spoken
// "Clue 3", the large-print view's lines). clipgen writes it beside the clips
// from the clip table; the game, the in-game voice and voxlet read it at
// start-up, so everything the player hears and reads is in one voice and one
// language. The format is one "key=value" a line; blank lines and "#" lines
// are notes.
#pragma once

#include <string>

namespace corvale {

struct VoiceSettings {
    std::string engine = "espeak-ng";
    std::string voice = "en";  // the engine's name for the voice
    std::string language = "en";
    // The composed texts; {n} and {m} stand for the numbers the game puts in.
    std::string clue = "Clue {n}";             // voxlet says it for clue n
    std::string viewclue = "Clue {n} of {m}";  // the view's heading of clue n of m
    std::string viewmenu = "Main menu";        // the view's menu items
    std::string viewintro = "Introduction";
    std::string viewpuzzle = "Puzzle {n}";
    std::string viewexit = "Exit";
    // Said by a second start, which ends at once and leaves the running game be.
    std::string running = "Corvale is already running";
};

// The settings a file's text gives; a key left out keeps its default.
// Failure naming `filename` and the line of an unknown or repeated key, a
// line without "=", an empty value, or a composed text without each of its
// numbers' marks exactly once.
VoiceSettings parsevoicesettings(const std::string& text, const std::string& filename);

// Sets `key` (engine, voice, language, or a composed text such as clue) to
// `value`. Empty when done; otherwise, untouched, a message saying why the
// key or the value is refused. The one place that knows what each key takes.
std::string assign(VoiceSettings& settings, const std::string& key, const std::string& value);

// The file's text for `settings`, read back by parsevoicesettings as the same.
std::string formatvoicesettings(const VoiceSettings& settings);

// The settings of voice.txt in the game folder `gamedir` (a game path), or
// the defaults when there is no such file: a game folder from before the
// file existed speaks English with espeak-ng's default voice.
VoiceSettings loadvoicesettings(const std::string& gamedir);

// `text` with its {n} replaced by `n` and its {m} by `m`.
std::string withnumber(const std::string& text, int n, int m = 0);

}  // namespace corvale
