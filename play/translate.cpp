// Symbol translation: the one place where the choice between hearing a
// symbol as printed and hearing it through the scratch pad takes effect, for
// the clips and for the large-print view alike;
// and the clips of the relation words that stand between a row's words.
#include <cctype>

#include "play/play.h"
#include "state/game.h"

namespace corvale {

std::string heardas(std::string tempm) {
    for (char& c : tempm) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (Form1.substitute != 0) {
        for (int i = 1; i <= 10; ++i) {
            if (Form1.scratchletter[i] == tempm) return Form1.scratchdigit[i];
        }
    }
    return tempm;
}

std::string translate(std::string tempm) {
    tempm = heardas(tempm);
    for (char& c : tempm) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return apppath() + "\\sounds\\" + tempm + ".wav";
}

std::string relationclip(const std::string& op) {
    if (op == "*") return apppath() + "\\sounds\\times.wav";
    if (op == "-") return apppath() + "\\sounds\\minus.wav";
    if (op == "<") return apppath() + "\\sounds\\islessthan.wav";
    return "";
}

}  // namespace corvale
