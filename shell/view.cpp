// The large-print view: the lines of text the window shows for players who
// see a little or hear a little, and for a sighted companion. First the
// words being said, as captions: the sentence of a clip the voice is at, or
// the whole of a sentence the game's voice speaks (H, a hint, a failure).
// Then where the player is: the menu item under the cursor, or the puzzle,
// the current clue and the pad, with the letter heard last marked. The game
// composes them, in the words voice.txt gives for the clips' language; the
// front end only draws them, so nothing of the view needs a window to be
// tested. Nothing of play depends on them.
#include <algorithm>
#include <map>

#include "audio/audio.h"
#include "play/play.h"
#include "shell/shell.h"
#include "state/game.h"

namespace corvale {

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

namespace {

// Keeps the lines short, so the text stays large: five letters with digits
// ("A=1  B=2  C=3  D=4  E=5"), fewer when they have marks.
constexpr std::size_t padlinelength = 23;
// A caption's lines are a little longer: a sentence of the help in three or
// four lines.
constexpr std::size_t captionlinelength = 30;

// The sentences of `text`, each ending where a ".", "?" or "!" is followed
// by a space.
std::vector<std::string> sentences(const std::string& text) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < text.size(); ++i)
        if ((text[i] == '.' || text[i] == '?' || text[i] == '!') && text[i + 1] == ' ') {
            out.push_back(text.substr(start, i + 1 - start));
            start = i + 2;
        }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

// What the voice is saying now. A clip's text is spoken at an even pace, as
// far as the view can tell, so the sentence shown is the one that holds the
// same share of the text's letters as the share of the clip's charted length
// already played. The game hears no clock: the share is counted in ticks.
std::string saidnow() {
    if (Form1.sayinglength <= 0) return Form1.saying;
    std::vector<std::string> parts = sentences(Form1.saying);
    std::size_t total = 0;
    for (const std::string& part : parts) total += part.size();
    const double at = static_cast<double>(total) * Form1.sayingticks / Form1.sayinglength;
    std::size_t end = 0;
    for (const std::string& part : parts) {
        end += part.size();
        if (at < static_cast<double>(end)) return part;
    }
    return parts.empty() ? "" : parts.back();
}

// `text` broken between words into lines of at most `length` bytes; a longer
// word has a line to itself.
std::vector<std::string> wrapped(const std::string& text, std::size_t length) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t next = text.find(' ', at);
        if (next == std::string::npos) next = text.size();
        std::string word = text.substr(at, next - at);
        at = next + 1;
        if (word.empty()) continue;
        if (!lines.empty() && lines.back().size() + 1 + word.size() <= length)
            lines.back() += " " + word;
        else
            lines.push_back(word);
    }
    return lines;
}

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
    // Sections, parted by an empty line: what is said, then where the
    // player is, then in a puzzle the pad. The front end gives each section
    // its own share of the window, so a full pad never shrinks the clue.
    std::vector<std::string> lines = wrapped(saidnow(), captionlinelength);
    lines.push_back("");
    bool playing = Module1.menulevel == 0 && Form1.level > 0;
    if (!playing) {
        lines.push_back(itemname(Module1.menuitem));
        return lines;
    }
    // The puzzle's name as the menu calls it (the new ones by their kind).
    std::string heading = itemname(Form1.level + 1);
    int i = Form1.clueindex;
    if (i >= 1 && i <= Form1.cluecount)
        heading += " \u00b7 " + withnumber(Module1.voice.viewclue, i, Form1.cluecount);
    lines.push_back(heading);
    if (i >= 1 && i <= Form1.cluecount) lines.push_back(shownclue(i));
    lines.push_back("");
    // Each letter with its digit and its marks beside it: "B=5 (3 7)", or
    // "C (1 4)" for a letter with marks and no digit yet. The letter heard
    // last, which the digit keys set, is in brackets: "[B=5]".
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
    const std::string& heard = Form1.selectedletter;
    if (!heard.empty() && heard != "_") {
        std::string& entry = entries[heard];
        entry = "[" + (entry.empty() ? heard : entry) + "]";
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

void speak(const std::string& text, const std::string& shown) {
    Form1.saying = shown;
    Form1.sayingticks = Form1.sayinglength = 0;
    showscreen();
    try {
        Form1.os->voice().Speak(text, liverate(0), livevolume(100));
    } catch (...) {
        Form1.saying.clear();
        throw;
    }
    // The caption goes when the sentence ends, or is cut short by a key.
    Form1.saying.clear();
    showscreen();
}

}  // namespace corvale
