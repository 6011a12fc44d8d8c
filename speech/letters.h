// How a sentence of the game is handed to a voice. In a clue's sentence a
// capital letter that stands alone is a puzzle symbol, and the player must
// hear its name; voices read the lone capital A as the article ("uh"). This
// is the one place that respells such letters, for the in-game voice and for
// voxlet alike; the puzzle file's text is never changed.
#pragma once

#include <cctype>
#include <string>

namespace corvale {

// `text` with every capital letter that stands alone (no letter or digit on
// either side) written so that voices say its name. Only A needs it: espeak-ng
// and flite both read the other lone capitals as their names already, and
// both read "Eigh" as the name of A. Only English needs it: in the game's
// other languages (voice.txt's `language`) a lone A already sounds as the
// letter, and "Eigh" would not.
inline std::string spokenletters(const std::string& text, const std::string& language) {
    if (language != "en") return text;
    auto word = [&](std::size_t i) {
        return i < text.size() && std::isalnum(static_cast<unsigned char>(text[i]));
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool alone = !(i > 0 && word(i - 1)) && !word(i + 1);
        if (text[i] == 'A' && alone)
            out += "Eigh";
        else
            out += text[i];
    }
    return out;
}

}  // namespace corvale
