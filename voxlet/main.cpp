// voxlet: speaks one text, given on its command line with a volume and a
// rate, and ends when it has been heard. The game starts one per clue number
// and never waits for it, so voxlet reports its own failures on standard
// error and keeps nothing: no window, no file, no state. It speaks as the
// game does (speech/serverfirst.h): through speech-dispatcher, else with the
// engine and voice of voice.txt in the game's data folder, the clips' own;
// its language decides how lone letters are written for the voice.
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "dist/release.h"
#include "files/files.h"
#include "files/layout.h"
#include "platform/failure.h"
#include "speech/letters.h"
#include "speech/playersettings.h"
#include "speech/serverfirst.h"
#include "speech/speaker.h"
#include "speech/speech.h"
#include "speech/trim.h"
#include "voxlet/tail.h"

namespace {
volatile std::sig_atomic_t stopped = 0;
}

int main(int argc, char** argv) {
    using namespace corvale;
    // No command tail can be just one of these: a tail holds two commas.
    if (argc == 2 && std::string(argv[1]) == "--version")
        return std::printf("voxlet %s\n", release::version) < 0;
    if (argc == 2 && std::string(argv[1]) == "--help")
        return std::printf("%s\n", voxlet::usage) < 0;
    const voxlet::Tail tail = voxlet::parsetail(voxlet::jointail(argc, argv));
    std::string refused = tail.error.empty() ? speech::refusal(tail.rate, tail.volume) : tail.error;
    if (!refused.empty()) {
        report(refused + "\n" + voxlet::usage, "voxlet");
        return 2;
    }
    try {
        const Layout layout = findlayout(programdirectory(), std::getenv);
        // The game tells the player of a voice.txt or a voice it cannot
        // use; its many voxlets speak with the defaults without a word.
        // The game's language, chosen by the same rule as the game's.
        speech::ServerFirst voice(
            "voxlet", languagefolder(layout.datadir, layout.settingsfile, std::getenv), false);
        const std::string text = spokenletters(tail.text, voice.settings().language);
        // The game ends a clue number that newer speech replaces with
        // SIGTERM. The server would speak on after voxlet had gone, so while
        // the server speaks the signal cancels the text instead, and voxlet
        // then ends.
        std::signal(SIGTERM, [](int) { stopped = 1; });
        voice.speak(
            text, tail.rate, tail.volume, [] { return stopped != 0; },
            [&](const std::string& said) {
                std::signal(SIGTERM, SIG_DFL);
                if (stopped) return;
                // The engine is open before the device opens: if it cannot
                // speak, no device is ever opened for nothing.
                Speaker speaker;
                // The engines open and close every text with near-silence (flite
                // about 230 ms each side): skipping it, as the clips do, lets the
                // player hear the number sooner, and the game's row waits for
                // voxlet to end.
                speech::Trimmer trim([&](const int16_t* s, std::size_t n) { speaker.queue(s, n); });
                speech::synthesize(
                    said, tail.rate, tail.volume,
                    [&](const int16_t* samples, std::size_t count) { trim.feed(samples, count); });
                speaker.drain();
            });
    } catch (const std::exception& e) {
        report(e.what(), "voxlet");
        return 1;
    }
    return 0;
}
