// The command-tail format of voxlet. Numbers are read the way a person writes
// them (sign, digits, a decimal point) and floored, so "2.7" is 2 and "-0.5"
// is -1; anything else in a number's place is refused rather than guessed at.
#include "voxlet/tail.h"

#include <charconv>
#include <climits>
#include <cmath>

#include "files/files.h"

namespace corvale::voxlet {

namespace {

// Only spaces are trimmed: a tab in the tail belongs to the text.
std::string_view trimspaces(std::string_view s) {
    return trim(s, " ");
}

// The floored value of a written number, or an error naming the field.
bool readnumber(std::string_view field, const char* name, int& value, std::string& error) {
    std::string_view s = trimspaces(field);
    const std::string quoted = shown(field);
    if (s.empty()) {
        error = std::string("the ") + name + " is empty";
        return false;
    }
    // from_chars takes a minus sign but not a plus sign.
    if (s.front() == '+' && s.size() > 1 && s[1] != '-') s.remove_prefix(1);
    // Only plain decimal notation: from_chars would also take "inf", "nan"
    // and exponents, none of which a person means as a volume or rate.
    for (char c : s)
        if (!(c == '-' || c == '.' || (c >= '0' && c <= '9'))) {
            error = std::string("the ") + name + " " + quoted + " is not a number";
            return false;
        }
    double number = 0;
    auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), number);
    if (ec != std::errc() || end != s.data() + s.size() || !std::isfinite(number)) {
        error = std::string("the ") + name + " " + quoted + " is not a number";
        return false;
    }
    double floored = std::floor(number);
    if (floored < INT_MIN || floored > INT_MAX) {
        error = std::string("the ") + name + " " + quoted + " is far outside what any voice takes";
        return false;
    }
    value = static_cast<int>(floored);
    return true;
}

}  // namespace

std::string jointail(int argc, const char* const* argv) {
    std::string tail;
    for (int i = 1; i < argc; ++i) {
        if (i > 1) tail += ' ';
        tail += argv[i];
    }
    return tail;
}

Tail parsetail(std::string_view tail) {
    Tail result;
    std::string_view rest = trimspaces(tail);
    const std::size_t first = rest.find(',');
    const std::size_t second = first == rest.npos ? rest.npos : rest.find(',', first + 1);
    if (second == rest.npos) {
        result.error = rest.empty()
                           ? "the command tail is empty"
                           : "the command tail needs two commas, before and after the rate";
        return result;
    }
    if (!readnumber(rest.substr(0, first), "volume", result.volume, result.error) ||
        !readnumber(rest.substr(first + 1, second - first - 1), "rate", result.rate, result.error))
        return result;
    result.text = std::string(rest.substr(second + 1));
    return result;
}

}  // namespace corvale::voxlet
