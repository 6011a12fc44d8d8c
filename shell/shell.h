// The game shell's entry points: what a front end calls to start the game
// and to hand it keys and timer events, and the large-print view's lines.
#pragma once

#include <string>
#include <vector>

#include "platform/platform.h"

namespace corvale {

// Wires the game to a front end: its keys and timer events go to the game's
// handlers, and the window lives in it. Every front end (the real one, the
// benchmark's, the tests' fake) is attached this one way.
void attach(Platform& os);

// Start-up and the window's own events.
void Form_Load();
void Form_Activate();
void Form_KeyDown(int& KeyCode, int& Shift, bool repeat);
void holder_Timer();
// The window gained or lost the keyboard focus. Coming back after leaving
// says where the player is; the focus the window gets when it first shows
// says nothing, as the welcome is playing then.
void Form_Focus(bool gained);
void ontimer(TimerId timer);  // routes a timer event to its handler

// A failure that ends the game, said aloud through the game's voice (the one
// H speaks with) once the sound device is open: the message box that follows
// is out of a screen reader's reach, so the spoken text is what a blind
// player gets. Files are named without their folders. Before sound is open,
// it does nothing.
void sayfailure(const std::string& text);

// The player's settings: read at start-up once sound is open (a file that
// cannot be read is reported aloud and the defaults used, never ending the
// game), and the keys that change the live voice's rate and the volumes,
// each change heard at once and saved. settingkey is true when it took the key.
void loadsettings();
bool settingkey(int KeyCode);

// What the view calls menu item `item` (0 the freshly opened menu, 1 the
// introduction, 2 to 5 the puzzles, 6 to 8 the new ones, 9 exit), in the
// clips' language.
std::string itemname(int item);

// The large-print view: the lines that say what the player hears now, and
// handing them to the front end when they differ from what it shows.
std::vector<std::string> screenlines();
void showscreen();

}  // namespace corvale
