// The player's own settings in the game: read once sound is open, and the
// keys that change them. F5 and F6 make the live voice slower and faster, F7
// and F8 quieter and louder; F9 and F10 do the same for the recorded speech,
// F11 and F12 for the effects. They are a block of their own, away from the
// keys of play and the menu, and no screen reader takes them without its own
// modifier; in each pair the left key is the slower or quieter one. Every
// change is heard at once and saved whole, so a game killed just after keeps it.
#include <algorithm>

#include "audio/audio.h"
#include "files/files.h"
#include "files/layout.h"
#include "platform/keys.h"
#include "puzzle/puzzle.h"
#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

namespace {

enum class Sample { rate, voice, clips, effects };

struct SettingKey {
    int key;
    int PlayerSettings::*member;
    int step, lowest, highest;
    Sample sample;
};

// The voice and the recorded speech stop at a tenth: turned off by a key, the
// game could no longer tell the player what the keys do. The effects may go.
constexpr int step = 10, quietestspeech = 10;
const SettingKey settingkeys[] = {
    {keyF5, &PlayerSettings::rate, -1, slowestrate, fastestrate, Sample::rate},
    {keyF6, &PlayerSettings::rate, 1, slowestrate, fastestrate, Sample::rate},
    {keyF7, &PlayerSettings::voicevolume, -step, quietestspeech, mostvolume, Sample::voice},
    {keyF8, &PlayerSettings::voicevolume, step, quietestspeech, mostvolume, Sample::voice},
    {keyF9, &PlayerSettings::clipvolume, -step, quietestspeech, mostvolume, Sample::clips},
    {keyF10, &PlayerSettings::clipvolume, step, quietestspeech, mostvolume, Sample::clips},
    {keyF11, &PlayerSettings::effectvolume, -step, 0, mostvolume, Sample::effects},
    {keyF12, &PlayerSettings::effectvolume, step, 0, mostvolume, Sample::effects},
};

// A short sample at the new value: the live voice says its rate or its
// volume in tenths, the recorded speech says its volume in tenths, the
// effects click.
void sample(Sample which) {
    hush();
    const PlayerSettings& s = Module1.settings;
    switch (which) {
        case Sample::rate:
        case Sample::voice: {
            const std::string said =
                std::to_string(which == Sample::rate ? s.rate : (s.voicevolume + 5) / step);
            speak(said, said);
            break;
        }
        case Sample::clips: {
            const std::string tenths = std::to_string((s.clipvolume + 5) / step);
            announce("\\sounds\\" + tenths.substr(0, 1) + ".wav");
            for (char digit : tenths.substr(1))
                Form1.List1.push_back(apppath() + "\\sounds\\" + digit + ".wav");
            break;
        }
        case Sample::effects:
            makesound(apppath() + "\\sounds\\click.wav", 0, 0);
            break;
    }
}

// Writes the settings whole. A file that could not be read at start-up is
// set aside first, so the player's own text is never written over. A save
// that fails is noted once; the change still holds until the game ends.
void savesettings() {
    const std::string& file = Form1.os->settingsfile;
    if (file.empty()) return;
    try {
        if (Module1.settingsunreadable && Form1.os->exists(file))
            setaside(file, "the settings file " + file + " could not be read",
                     "the new settings are saved in its place");
        Module1.settingsunreadable = false;
        makefolders(folderof(file));
        Form1.os->writefile(file, formatplayersettings(Module1.settings));
    } catch (const Failure& unsaved) {
        if (!Form1.settingsunsaved)
            Form1.os->note(std::string(unsaved.what()) + "; the settings hold until the game ends");
        Form1.settingsunsaved = true;
    }
}

}  // namespace

void loadsettings() {
    const std::string& file = Form1.os->settingsfile;
    if (file.empty() || !Form1.os->exists(file)) return;
    // Settings the game cannot read must not keep the player from playing:
    // the fault is told, aloud too, and the game plays with its defaults.
    try {
        Module1.settings = parseplayersettings(Form1.os->readfile(file), hostpath(file));
    } catch (const Failure& unreadable) {
        Module1.settings = PlayerSettings{};
        Module1.settingsunreadable = true;
        const std::string why =
            std::string(unreadable.what()) + "; the game plays with the default settings";
        Form1.os->note(why);
        sayfailure(why);
    }
}

bool settingkey(int KeyCode) {
    for (const SettingKey& k : settingkeys) {
        if (k.key != KeyCode) continue;
        int& value = Module1.settings.*k.member;
        // A value edited beyond the keys' range is only ever brought towards it.
        int changed = value + k.step;
        if (changed < k.lowest) changed = std::min(value, k.lowest);
        if (changed > k.highest) changed = std::max(value, k.highest);
        // At either end the sample still plays, so the player hears where it stops.
        if (changed != value) {
            value = changed;
            savesettings();
        }
        sample(k.sample);
        return true;
    }
    return false;
}

}  // namespace corvale
