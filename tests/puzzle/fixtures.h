// Small puzzle texts for the tool tests, written the way the game's files
// are: CR LF line ends, one field per line, relations and "*" quoted.
#pragma once

#include <string>
#include <vector>

namespace corvale::testing {

struct FixtureRow {
    std::string op, a, b, c, text;
};

// A puzzle file's text from its rows and its key for digits 0..9.
inline std::string puzzlefile(const std::vector<FixtureRow>& rows,
                              const std::vector<std::string>& key) {
    std::string out = std::to_string(rows.size()) + "\r\n";
    for (const FixtureRow& r : rows) {
        out +=
            "\"" + r.op + "\"\r\n" + r.a + "\r\n" + r.b + "\r\n" + r.c + "\r\n" + r.text + "\r\n";
    }
    for (const std::string& k : key) out += (k == "*" ? "\"*\"" : k) + "\r\n";
    return out;
}

}  // namespace corvale::testing
