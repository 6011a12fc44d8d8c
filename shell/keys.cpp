// Key routing and the spoken main menu. Every key press arrives here; the
// arrows become Tab and Shift+Tab, Escape always leads back to the menu, F1
// gives help on where the player is, Ctrl silences whatever is being said,
// and the rest goes to the play commands during a puzzle or to the menu.
// After each key the view shows the result.
#include "platform/keys.h"
#include "audio/audio.h"
#include "play/play.h"
#include "puzzle/puzzle.h"
#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

namespace {

// Every key is handled inside whatever pause is waiting, and many keys pause
// in turn, so keys nest pauses. A held key's repeats carry nothing new: deep
// inside pauses they are dropped, and the game answers the held key again
// once the pauses have ended. A player's own presses nest as deep as they
// come (each newer clue reading makes the older ones give way as they
// unwind); only a far deeper nesting, which no hand reaches, is refused, with
// the click, so the stack stays bounded.
constexpr int maxrepeatdepth = 4;
constexpr int maxpausedepth = 64;

// What each item says when the cursor reaches it: the introduction, the
// puzzles 1 to 4, a new easy, medium and hard puzzle (levels 5 to 7), and
// exit, always last.
const char* const itemclip[] = {
    nullptr,
    "\\sounds\\intro.wav",
    "\\sounds\\lvl1.wav",
    "\\sounds\\lvl2.wav",
    "\\sounds\\lvl3.wav",
    "\\sounds\\lvl4.wav",
    "\\sounds\\neweasy.wav",
    "\\sounds\\newmedium.wav",
    "\\sounds\\newhard.wav",
    "\\sounds\\exit.wav",
};
constexpr int lastitem = 9;

void startpuzzle(int n) {
    Module1.menulevel = 0;
    Module1.menuitem = 0;
    announce("\\sounds\\begin.wav");
    Form1.level = n;
    newgame();
}

void mainmenu(int& KeyCode, int Shift) {
    if (KeyCode != keyTab && KeyCode != keyEnter) return;
    if (KeyCode == keyTab && Shift == 0) Module1.menuitem = Module1.menuitem + 1;
    if (KeyCode == keyTab && Shift == maskShift) Module1.menuitem = Module1.menuitem - 1;
    if (KeyCode == keyEnter && Module1.menuitem == 0) {
        KeyCode = keyTab;
        Module1.menuitem = 1;
    }
    if (Module1.menuitem <= 0) Module1.menuitem = lastitem;
    if (Module1.menuitem > lastitem) Module1.menuitem = 1;

    if (KeyCode != keyEnter) {
        announce(itemclip[Module1.menuitem]);
        return;
    }
    if (Module1.menuitem == 1) {
        // The keys first, so a player who stops listening early has
        // what they need to play; how the puzzle works follows.
        announce("\\sounds\\intro2.wav");
        Form1.List1.push_back(apppath() + "\\sounds\\intro3.wav");
    } else if (Module1.menuitem == lastitem) {
        Form1.os->end(0);
    } else {
        startpuzzle(Module1.menuitem - 1);
    }
}

bool playing() {
    return Module1.menulevel == 0 && Form1.level > 0;
}

void routekey(int& KeyCode, int& Shift, bool repeat) {
    if (KeyCode == keyShift || KeyCode == keyAlt || KeyCode == keyWindows) return;
    // Only what is being said changes: the menu, the puzzle and the pad stay
    // as they are. (During the H sentence the voice stops at the press, and
    // the press then comes here like any other.)
    if (KeyCode == keyCtrl) {
        silence();
        return;
    }
    // Escape never pauses, so it always leads back to the menu (and Ctrl,
    // above, always silences).
    if (KeyCode != keyEscape) {
        if (repeat && Form1.pausedepth >= maxrepeatdepth) return;
        if (Form1.pausedepth >= maxpausedepth) {
            makesound(apppath() + "\\sounds\\click.wav", 0, 0);
            return;
        }
    }
    if (KeyCode == keyLeft || KeyCode == keyUp) {
        KeyCode = keyTab;
        Shift = maskShift;
    }
    if (KeyCode == keyRight || KeyCode == keyDown) {
        KeyCode = keyTab;
        Shift = 0;
    }
    if (KeyCode == keyEscape) {
        hush();
        Form1.selectedletter = "";  // a digit never reaches a symbol heard before leaving
        announce("\\sounds\\mainmenu.wav");
        Module1.menulevel = 1;
        Module1.menuitem = 0;
        return;
    }
    if (KeyCode == keyF1) {
        // Help replaces whatever was still being said.
        hush();
        announce(playing() ? "\\sounds\\helpplay.wav" : "\\sounds\\helpmenu.wav");
        return;
    }
    if (settingkey(KeyCode)) return;
    if (playing()) {
        playkey(KeyCode, Shift);
        return;
    }
    mainmenu(KeyCode, Shift);
}

}  // namespace

void Form_Focus(bool gained) {
    if (!gained) {
        Form1.focuslost = true;
        return;
    }
    if (!Form1.focuslost) return;
    Form1.focuslost = false;
    // A screen reader only cancels its speech when the player comes back,
    // and says nothing of the game: the game says where the player is. In a
    // puzzle with a clue chosen, the puzzle and the clue, in the game's voice,
    // as no clip says a clue's number.
    if (playing() && Form1.clueindex >= 1 && Form1.clueindex <= Form1.cluecount) {
        silence();
        const std::string place =
            itemname(Form1.level + 1) + ". " + withnumber(Module1.voice.clue, Form1.clueindex);
        speak(place, place);
    } else if (playing())
        announce(itemclip[Form1.level + 1]);
    else
        announce(Module1.menuitem >= 1 && Module1.menuitem <= lastitem ? itemclip[Module1.menuitem]
                                                                       : "\\sounds\\mainmenu.wav");
}

void Form_KeyDown(int& KeyCode, int& Shift, bool repeat) {
    routekey(KeyCode, Shift, repeat);
    showscreen();
}

}  // namespace corvale
