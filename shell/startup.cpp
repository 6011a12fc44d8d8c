// Start-up: from launch to the main menu. It refuses a second copy, writes
// the version file, opens the sound device, reads the clip-length chart and
// the words the game composes in the clips' language (voice.txt);
// the window's activation then greets the player. A front end is attached
// to the game here too.
#include <exception>

#include "audio/audio.h"
#include "dist/release.h"
#include "files/files.h"
#include "shell/shell.h"
#include "speech/voicefile.h"
#include "state/game.h"

namespace corvale {

void attach(Platform& os) {
    os.handlers.keydown = Form_KeyDown;
    os.handlers.timer = ontimer;
    os.handlers.focus = Form_Focus;
    Form1.os = &os;
}

void ontimer(TimerId timer) {
    if (timer == TimerId::Timer1) {
        Timer1_Timer();
        // A caption moves on with the clip being said.
        showscreen();
    } else {
        holder_Timer();
    }
}

namespace {

// A second start leaves the running game, its lock and its files alone. A
// player who activated the launcher twice would otherwise hear nothing at
// all, so it says why nothing new opens, in the game's language, where a
// sound device answers; whatever goes wrong in saying it, it still ends as
// a start that was not needed.
void alreadyrunning() {
    try {
        // What is wrong with voice.txt the running game has already said.
        std::string problem;
        Module1.voice = loadvoicesettings(apppath(), problem);
        Form1.ds = Form1.os->opensound();
        if (Form1.ds) speak(Module1.voice.running, Module1.voice.running);
    } catch (const std::exception&) {
    }
    Form1.os->note(Module1.voice.running);
    Form1.os->end(0);
}

}  // namespace

void sayfailure(const std::string& text) {
    if (!Form1.ds) return;
    try {
        // The game's own sounds would talk over the report.
        for (int z = 0; z <= 16; ++z)
            if (Form1.soundbuffer[z]) Form1.soundbuffer[z]->Stop();
        const std::string said = withoutfolders(text);
        speak(said, said);
    } catch (const std::exception&) {
        // The voice itself may be what failed; the written report follows.
    }
}

void Form_Load() {
    if (Form1.os->anotherinstance()) alreadyrunning();

    Module1.appversion = release::version;
    // A bare name: it lands in the working directory, not beside the program.
    Form1.os->writefile("myversion.txt", Module1.appversion + "\r\n");

    Form1.os->caption("Corvale");
    Form1.level = 0;
    Form1.substitute = 0;

    Form1.ds = Form1.os->opensound();
    // The player hears nothing without it, so the box says what to check;
    // the front end has already put the system's own reason on standard
    // error. The game cannot run on, so it ends as a failure.
    if (!Form1.ds) {
        Form1.os->msgbox(
            "Unable to open the sound device. Check to see that your sound card is properly "
            "installed and that the sound system (PipeWire or PulseAudio) is running");
        Form1.os->end(1);
    }

    std::string chart = apppath() + "\\soundchart.txt";
    loadchart(Form1.os->readfile(chart), hostpath(chart));
    loadsettings();
    // A voice.txt the game cannot use (most likely one edited by hand)
    // leaves the game speaking as it was built to; the player hears why
    // their change did not take.
    std::string problem;
    Module1.voice = loadvoicesettings(apppath(), problem);
    if (!problem.empty()) {
        Form1.os->note(problem);
        const std::string said = withoutfolders(problem);
        speak(said, said);
    }

    Module1.menulevel = 1;
    Module1.menuitem = 0;
    settimer(Form1.Timer1, true, 50);
}

void Form_Activate() {
    announce("\\sounds\\welcome.wav");
    showscreen();
}

}  // namespace corvale
