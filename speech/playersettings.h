// The player's own settings: the language they play in, the rate of the live
// voice (the clue's sentence, the hint, the clue number), and how loud the
// recorded speech, the live voice and the effects (the click, the win) are.
// They live in one small file in the player's config folder, settings.txt,
// a settings file read by the same rules as voice.txt (speech/voicefile.h).
// The game changes and saves them when the player presses the keys for
// rate and volume; a player may also edit the file by hand.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "files/layout.h"

namespace corvale {

struct PlayerSettings {
    // The clip set to play in ("de"); empty: chosen from the locale.
    std::string language;
    // Added to every rate the live voice speaks at, on its scale -10..10.
    int rate = 0;
    // Percent, 0..100: of the recorded speech, the live voice, the effects.
    int clipvolume = 100, voicevolume = 100, effectvolume = 100;
};

// The lowest and highest rate, and the range of a volume.
constexpr int slowestrate = -10, fastestrate = 10;
constexpr int mostvolume = 100;

// The settings a file's text gives; a key left out keeps its default and an
// empty language means none. Failure naming `filename` and the line of a line
// readsettings refuses, an unknown key, a language that is not two or three
// small letters, or a number that is not a whole number in its range.
PlayerSettings parseplayersettings(std::string_view text, const std::string& filename);

// The file's text for `settings`, read back by parseplayersettings as the same.
std::string formatplayersettings(const PlayerSettings& settings);

// The language to play in: the setting's, when that language has a clip set;
// else the first that has one of the languages LANGUAGE lists (separated by
// colons) and of LC_ALL, LC_MESSAGES and LANG, in that order ("de_DE.UTF-8"
// and "de" both name de); else English. `hasset` tells whether a language's
// clip set is there.
std::string chooselanguage(const std::string& setting, const Environment& env,
                           const std::function<bool(const std::string&)>& hasset);

// The folder of the clip set, chart, voice.txt and puzzles the player plays
// with. `datadir` holds the build's own language's set (its voice.txt names
// the language) and a folder of each other language's, named by it ("de").
// The language is chosen as chooselanguage says, with the language of the
// settings file `settingsfile` ("" for none); a file that is missing or
// cannot be read gives none here (the game reports it once sound is open).
std::string languagefolder(const std::string& datadir, const std::string& settingsfile,
                           const Environment& env);

}  // namespace corvale
