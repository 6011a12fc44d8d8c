// The large-print view: the lines of text the window shows for players who
// see a little, and for a sighted companion. They say what the player is
// hearing: the menu item under the cursor, or the current clue and the pad.
// The game composes them, in the words voice.txt gives for the clips'
// language; the front end only draws them, so nothing of the view needs a
// window to be tested. Nothing of play depends on them.
#include "play/play.h"
#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

namespace {

// What the view calls menu item `item` (0 the freshly opened menu, 1 the
// introduction, 2 to 5 the puzzles, 6 exit), in the clips' language.
std::string itemname(int item) {
    const VoiceSettings& words = Module1.voice;
    if (item == 1) return words.viewintro;
    if (item >= 2 && item <= 5) return withnumber(words.viewpuzzle, item - 1);
    if (item == 6) return words.viewexit;
    return words.viewmenu;
}

constexpr std::size_t padperline = 5;  // keeps the lines short, so the text stays large

// A clue word as heard: blanks are silent, so they are not shown either.
std::string shownword(const std::string& word) {
    std::string out;
    for (char c : word)
        if (c != '_') out += heardas(std::string(1, c));
    return out;
}

std::string shownclue(int i) {
    const std::string& op = Form1.clueop[i];
    std::string sign = op == "*" ? "\u00d7" : op == "-" ? "\u2212" : op;
    std::string line = shownword(Form1.cluea[i]);
    for (const std::string& part :
         {sign, shownword(Form1.clueb[i]), std::string(op == "*" || op == "-" ? "=" : ""),
          shownword(Form1.cluec[i])})
        if (!part.empty()) line += (line.empty() ? "" : " ") + part;
    return line;
}

}  // namespace

std::vector<std::string> screenlines() {
    bool playing = Module1.menulevel == 0 && Form1.level > 0;
    if (!playing) {
        return {itemname(Module1.menuitem)};
    }
    std::vector<std::string> lines;
    int i = Form1.clueindex;
    if (i >= 1 && i <= Form1.cluecount) {
        lines.push_back(withnumber(Module1.voice.viewclue, i, Form1.cluecount));
        lines.push_back(shownclue(i));
    }
    std::vector<std::pair<std::string, std::string>> pad = padentries();
    for (std::size_t k = 0; k < pad.size(); ++k) {
        std::string entry = pad[k].first + "=" + pad[k].second;
        if (k % padperline == 0)
            lines.push_back(entry);
        else
            lines.back() += "  " + entry;
    }
    return lines;
}

void showscreen() {
    std::vector<std::string> lines = screenlines();
    if (lines == Form1.screen) return;
    Form1.screen = lines;
    Form1.os->view(lines);
}

}  // namespace corvale
