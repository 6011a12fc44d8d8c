// Quoting by the C runtime's rules: an argument with no blank and no quote
// stays as it is; any other is put in double quotes, a quote inside is
// written \", and the backslashes just before a quote (or before the closing
// quote) are doubled, since only there do they mean anything.
#include "frontend/sdl/winargs.h"

namespace corvale {

std::string quotedargument(const std::string& argument) {
    if (!argument.empty() && argument.find_first_of(" \t\n\v\"") == std::string::npos)
        return argument;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : argument) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        if (c == '"') {
            out.append(backslashes * 2 + 1, '\\');
        } else {
            out.append(backslashes, '\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    out += '"';
    return out;
}

}  // namespace corvale
