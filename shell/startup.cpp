// Start-up: from launch to the main menu. It refuses a second copy, writes
// the version file, opens the sound device and reads the clip-length chart;
// the window's activation then greets the player.
#include "audio/audio.h"
#include "platform/files.h"
#include "shell/game.h"

namespace corvale {

void Form_Load() {
    if (Form1.os->anotherinstance()) Form1.os->end();

    Module1.appversion = "0.2 beta";
    // A bare name: it lands in the working directory, not beside the program.
    writetextfile("myversion.txt", Module1.appversion + "\r\n");

    Form1.os->caption("Corvale");
    Form1.level = 0;
    Form1.substitute = 0;

    Form1.ds = Form1.os->opensound();
    if (!Form1.ds) {
        Form1.os->msgbox(
            "Unable to start DirectSound. Check to see that your sound card is properly "
            "installed");
        Form1.os->end();
    }

    std::string chart = apppath() + "\\soundchart.txt";
    loadchart(readtextfile(chart), hostpath(chart));

    Module1.menulevel = 1;
    Module1.menuitem = 0;
    settimer(Form1.Timer1, true, 50);
}

void Form_Activate() {
    announce("\\sounds\\welcome.wav");
}

}  // namespace corvale
