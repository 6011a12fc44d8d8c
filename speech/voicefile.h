// voice.txt, the game folder's record of how the game speaks and what it
// says in words of its own: the speech engine and voice that made the clips,
// their language, and the texts the game composes while it plays (the spoken
// "Clue 3", the large-print view's lines). clipgen writes it beside the clips
// from the clip table; the game, the in-game voice and voxlet read it at
// start-up, so everything the player hears and reads is in one voice and one
// language. This is its one reader, and the speech engines' names and default
// voices are written here once for it, clipgen and the speech layer.
//
// The file is a settings file: one "key=value" a line, blank lines and "#"
// lines are notes. The reading of such a file into its lines is kept apart
// from what voice.txt's keys mean, so any other settings file of the game is
// read by the same rules.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace corvale {

// ---- Settings files: key=value lines ----

// One "key=value" line of a settings file.
struct Setting {
    std::string key, value;
    int line = 0;  // where it stood in the file, for messages
};

// The settings of a file's text, in the file's order. Lines end in LF or
// CR LF; a byte-order mark at the start is dropped. Spaces, tabs and stray
// carriage returns around a line, a key or a value are not part of it, so
// "voice = de" is "voice=de"; a value may be empty and may hold "=". Blank
// lines and lines starting with "#" are notes. Failure naming `filename` and
// the line of a line without "=", of a key that is not made of letters,
// digits, "-", "_" and ".", or of a key given twice.
std::vector<Setting> readsettings(std::string_view text, const std::string& filename);

// The text readsettings reads back as `settings` (the same keys and values
// in the same order), after `note`'s lines written as "#" notes. Failure
// for a setting no file can hold: a key readsettings refuses, or a value
// with a line break or blanks at either end.
std::string writesettings(const std::vector<Setting>& settings, const std::string& note = "");

// Ends the reading of a settings file: Failure "FILE:LINE: why".
[[noreturn]] void refusesetting(const std::string& filename, const Setting& setting,
                                const std::string& why);

// ---- The speech engines ----

// Every speech engine the game can speak with: its name in voice.txt and on
// clipgen's command line, the voice it speaks with when none is named, and
// the one language it speaks, if it is limited to one.
struct SpeechEngine {
    const char* name;
    const char* voice;     // "" for the language's own voice (espeak-ng's "de")
    const char* language;  // "" for any
};
inline constexpr SpeechEngine speechengines[] = {
    {"espeak-ng", "", ""},
    {"flite", "slt", "en"},
};

// Empty when `engine` is one of speechengines and speaks `language` ("" for
// not asked); otherwise a message naming what is refused.
std::string enginerefusal(const std::string& engine, const std::string& language = "");

// The voice `engine` speaks `language` with when no voice is named.
std::string defaultvoice(const std::string& engine, const std::string& language);

// ---- voice.txt ----

struct VoiceSettings {
    // A game folder from before voice.txt existed speaks English with
    // espeak-ng's English voice.
    std::string engine = speechengines[0].name;
    std::string language = "en";
    std::string voice = defaultvoice(engine, language);  // the engine's name for it
    // The composed texts; {n} and {m} stand for the numbers the game puts in.
    std::string clue = "Clue {n}";             // voxlet says it for clue n
    std::string viewclue = "Clue {n} of {m}";  // the view's heading of clue n of m
    std::string viewmenu = "Main menu";        // the view's menu items
    std::string viewintro = "Introduction";
    std::string viewpuzzle = "Puzzle {n}";
    std::string viewneweasy = "New easy puzzle";
    std::string viewnewmedium = "New medium puzzle";
    std::string viewnewhard = "New hard puzzle";
    std::string viewexit = "Exit";
    // Said by a second start, which ends at once and leaves the running game be.
    std::string running = "Corvale is already running";
    // The relation words of a new puzzle's sentences, as the clips say them.
    std::string times = "times";
    std::string minus = "minus";
    std::string islessthan = "is less than";
    std::string equals = "equals";
    // The hint's sentences; {l} stands for the letter it names.
    std::string hintsettles = "Clue {n} settles {l}.";
    std::string hintbreaks = "The pad does not fit clue {n}.";
    std::string hintguess =
        "The clues settle nothing more without a guess. {l} has the fewest candidates: {n}.";
    std::string hintsolved = "Every letter has its digit, and the pad fits every clue.";
    // Where the file named the engine or voice ("FILE:LINE", the voice's line
    // when it has one): the place to name if the engine cannot open that
    // voice. Empty for the defaults.
    std::string voicenamed;
    // What each clip says, by the clip's name ("intro2"), for the view's
    // captions: the key "say.intro2". A clip without one is not captioned.
    std::map<std::string, std::string> says;
};

// The prefix of a clip text's key in voice.txt.
inline constexpr std::string_view saykey = "say.";

// The settings a file's text gives; a key left out keeps its default, and a
// voice left out is the engine's default voice for the language. Failure
// naming `filename` and the line of a line readsettings refuses, an unknown
// key, an empty value, an unknown engine, or a composed text without each of
// its numbers' and letters' marks exactly once.
VoiceSettings parsevoicesettings(std::string_view text, const std::string& filename);

// Sets `key` (engine, voice, language, a composed text such as clue, or a
// clip's text, "say.NAME") to
// `value`. Empty when done; otherwise, untouched, a message saying why the
// key or the value is refused. The one place that knows what each key takes.
std::string assign(VoiceSettings& settings, const std::string& key, const std::string& value);

// The file's text for `settings`, read back by parsevoicesettings as the same.
std::string formatvoicesettings(const VoiceSettings& settings);

// The settings of voice.txt in the game folder `gamedir` (a game path), or
// the defaults when there is no such file. A file the game cannot use (one
// it cannot read, one larger than any voice.txt, or a line
// parsevoicesettings refuses) never stops the game or its voice: all the
// defaults are used, so the clips' engine and the game's own words stay
// together, and `problem` says why, naming the file and the line, for the
// caller to tell the player. Otherwise `problem` is left empty.
VoiceSettings loadvoicesettings(const std::string& gamedir, std::string& problem);

// `text` with its {n} replaced by `n` and its {m} by `m`.
std::string withnumber(const std::string& text, int n, int m = 0);

// `text` with its {l} replaced by `letter`.
std::string withletter(const std::string& text, const std::string& letter);

}  // namespace corvale
