// The large-print view: the lines of text the window shows for players who
// see a little, and for a sighted companion. They say what the player is
// hearing: the menu item under the cursor, or the current clue and the pad.
// The game composes them, in the words voice.txt gives for the clips'
// language; the front end only draws them, so nothing of the view needs a
// window to be tested. Nothing of play depends on them.
#include <map>

#include "play/play.h"
#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

namespace {

// What the view calls menu item `item` (0 the freshly opened menu, 1 the
// introduction, 2 to 5 the puzzles, 6 to 8 the new ones, 9 exit), in the
// clips' language.
std::string itemname(int item) {
    const VoiceSettings& words = Module1.voice;
    if (item == 1) return words.viewintro;
    if (item >= 2 && item <= 5) return withnumber(words.viewpuzzle, item - 1);
    if (item == 6) return words.viewneweasy;
    if (item == 7) return words.viewnewmedium;
    if (item == 8) return words.viewnewhard;
    if (item == 9) return words.viewexit;
    return words.viewmenu;
}

// Keeps the lines short, so the text stays large: five letters with digits
// ("A=1  B=2  C=3  D=4  E=5"), fewer when they have marks.
constexpr std::size_t padlinelength = 23;

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
    // Each letter with its digit and its marks beside it: "B=5 (3 7)", or
    // "C (1 4)" for a letter with marks and no digit yet.
    std::map<std::string, std::string> entries;
    for (const auto& [letter, digit] : padentries()) entries[letter] = letter + "=" + digit;
    for (const auto& [letter, digits] : Form1.marks) {
        std::string& entry = entries[letter];
        if (entry.empty()) entry = letter;
        entry += " (";
        for (std::size_t k = 0; k < digits.size(); ++k)
            entry += (k == 0 ? "" : " ") + std::string(1, digits[k]);
        entry += ")";
    }
    bool first = true;
    for (const auto& entry : entries) {
        const std::string& text = entry.second;
        if (first || lines.back().size() + 2 + text.size() > padlinelength)
            lines.push_back(text);
        else
            lines.back() += "  " + text;
        first = false;
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
