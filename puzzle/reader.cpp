// Reading and writing the puzzle and scratch files. Both files are read
// with one field reader so that a row may stand on one line with commas or
// on four lines, and so that the scratch pad comes back exactly as it was
// written, empty slots included. Puzzle files are edited by hand, so every
// error names the file, the line and what the reader was looking for.
#include "puzzle/reader.h"

#include <cstddef>
#include <string_view>

#include "files/files.h"
#include "platform/failure.h"

namespace corvale {
namespace {

// Walks a file's text field by field and line by line, keeping count of the
// line it stands on. Lines end with CR LF; a bare LF is taken too, so files
// saved by Unix editors read the same.
class FieldReader {
  public:
    enum class Got { field, end, unclosed };

    explicit FieldReader(std::string_view text) : text_(withoutbom(text)) {}

    int line() const { return line_; }

    // One field: it ends at the next comma or line end, which is consumed
    // with it. A quoted field may hold commas; whatever stands between its
    // closing quote and the next comma or line end is dropped. A quote left
    // open at the end of its line is reported instead of swallowing the
    // lines after it, which would only surface as a puzzling error later.
    Got field(std::string& out, int& startline) {
        while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t')) ++pos_;
        startline = line_;
        if (pos_ >= text_.size()) return Got::end;
        if (text_[pos_] == '"') {
            const std::size_t begin = pos_ + 1;
            std::size_t close = begin;
            while (close < text_.size() && text_[close] != '"' && text_[close] != '\n') ++close;
            if (close >= text_.size() || text_[close] != '"') return Got::unclosed;
            out.assign(text_.substr(begin, close - begin));
            pos_ = close + 1;
            skiptoend();
            return Got::field;
        }
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && text_[pos_] != ',' && lineendlength() == 0) ++pos_;
        // Trailing blanks would otherwise turn "AB__ " into a five-position word.
        out.assign(trim(text_.substr(begin, pos_ - begin)));
        skiptoend();
        return Got::field;
    }

    // The rest of the current line, unchanged; false only at the end of the text.
    bool wholeline(std::string& out) {
        if (pos_ >= text_.size()) return false;
        const std::size_t begin = pos_;
        while (pos_ < text_.size() && lineendlength() == 0) ++pos_;
        out.assign(text_.substr(begin, pos_ - begin));
        consumelineend();
        return true;
    }

  private:
    // Length of the line end at the current position: 2 for CR LF, 1 for LF, else 0.
    std::size_t lineendlength() const {
        if (pos_ >= text_.size()) return 0;
        if (text_[pos_] == '\n') return 1;
        if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') return 2;
        return 0;
    }

    void consumelineend() {
        const std::size_t n = lineendlength();
        if (n > 0) {
            pos_ += n;
            ++line_;
        }
    }

    // Moves past the next comma or line end, whichever comes first.
    void skiptoend() {
        while (pos_ < text_.size()) {
            if (text_[pos_] == ',') {
                ++pos_;
                return;
            }
            if (lineendlength() > 0) {
                consumelineend();
                return;
            }
            ++pos_;
        }
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

std::string where(const std::string& filename, int line) {
    return filename + ":" + std::to_string(line) + ": ";
}

// Reads one field that the file must still hold; `what` names it for the
// player ("the first word of row 2"). Returns "" or the error message.
std::string need(FieldReader& in, const std::string& filename, const std::string& what,
                 std::string& out, int& startline) {
    switch (in.field(out, startline)) {
        case FieldReader::Got::field:
            return "";
        case FieldReader::Got::end:
            return where(filename, startline) + "the file ends before " + what;
        case FieldReader::Got::unclosed:
            break;
    }
    return where(filename, startline) + "the quote that opens " + what +
           " is not closed on this line";
}

// What a puzzle may hold. A word has four positions; a clue sentence is
// spoken whole by the in-game voice, which hears no key meanwhile, so it is
// kept to what a row needs; the other fields are a sign or a symbol.
constexpr std::size_t maxpositions = 4;
constexpr std::size_t maxsentence = 120;
constexpr std::size_t maxfield = 16;

// A symbol the game can speak (it has a clip) and save (it needs no quotes
// in the scratch file): a letter, a digit, or "_" for a blank position.
bool symbolbyte(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// "" when `word` is a word the game can read aloud; otherwise what is wrong.
std::string wordfault(const std::string& word, const std::string& what) {
    if (word.size() > maxpositions)
        return what + " is " + shown(word) + ", longer than four positions";
    for (const char c : word)
        if (!symbolbyte(c))
            return what + " holds " + shown(std::string(1, c)) +
                   ", which is no symbol: a word is made of letters, digits and _";
    return "";
}

std::string rowpart(const char* part, int row) {
    return std::string("the ") + part + " of row " + std::to_string(row);
}

// A whole number 0..16 written in plain digits; -1 for anything else.
int rowcount(const std::string& field) {
    if (field.empty() || field.size() > 3) return -1;
    int n = 0;
    for (const char c : field) {
        if (c < '0' || c > '9') return -1;
        n = n * 10 + (c - '0');
    }
    return n <= 16 ? n : -1;
}

}  // namespace

std::string readpuzzle(const std::string& text, const std::string& filename, Puzzle& out) {
    // Rows past the new count keep what the previous puzzle left there, as
    // the game never reads them; so start from the caller's model.
    Puzzle got = out;
    FieldReader in(text);
    std::string field;
    int line = 1;

    std::string err = need(in, filename, "the number of rows", field, line);
    if (!err.empty()) return err;
    const int count = rowcount(field);
    if (count < 0) {
        return where(filename, line) +
               "the number of rows must be a whole number from 0 to 16, not " + shown(field);
    }
    got.cluecount = count;

    for (int row = 1; row <= count; ++row) {
        const std::size_t i = static_cast<std::size_t>(row);
        const struct {
            const char* name;
            std::string& into;
        } parts[] = {{"relation", got.clueop[i]},
                     {"first word", got.cluea[i]},
                     {"second word", got.clueb[i]},
                     {"third word", got.cluec[i]}};
        for (const auto& part : parts) {
            err = need(in, filename, rowpart(part.name, row), part.into, line);
            if (!err.empty()) return err;
            const std::string what = rowpart(part.name, row);
            if (&part.into == &got.clueop[i]) {
                if (part.into.size() > maxfield)
                    return where(filename, line) + what + " " + shown(part.into) + " is too long";
            } else if (std::string fault = wordfault(part.into, what); !fault.empty()) {
                return where(filename, line) + fault;
            }
        }
        line = in.line();
        if (!in.wholeline(got.cluetext[i])) {
            return where(filename, line) + "the file ends before " + rowpart("sentence", row);
        }
        if (got.cluetext[i].size() > maxsentence) {
            return where(filename, line) + rowpart("sentence", row) + " is " +
                   std::to_string(got.cluetext[i].size()) + " bytes long; at most " +
                   std::to_string(maxsentence) + " are spoken";
        }
    }

    for (std::size_t digit = 0; digit < got.answerkey.size(); ++digit) {
        const std::string what = "the answer key for digit " + std::to_string(digit);
        err = need(in, filename, what, got.answerkey[digit], line);
        if (!err.empty()) return err;
        if (got.answerkey[digit].size() > maxfield)
            return where(filename, line) + what + " " + shown(got.answerkey[digit]) +
                   " is too long";
    }

    out = got;
    return "";
}

std::string readscratch(const std::string& text, const std::string& filename, Scratch& out) {
    Scratch got;
    FieldReader in(text);
    int line = 1;
    const std::string lines = "; a scratch file has twenty lines";
    for (std::size_t slot = 1; slot <= 10; ++slot) {
        const std::string n = std::to_string(slot);
        int symbolline = line;
        std::string err =
            need(in, filename, "the symbol of slot " + n, got.scratchletter[slot], symbolline);
        if (!err.empty()) return err + lines;
        err = need(in, filename, "the digit of slot " + n, got.scratchdigit[slot], line);
        if (!err.empty()) return err + lines;
        const std::string& digit = got.scratchdigit[slot];
        if (!digit.empty() && (digit.size() != 1 || digit[0] < '0' || digit[0] > '9')) {
            return where(filename, line) + "the digit of slot " + n + " is " + shown(digit) +
                   "; it must be one digit 0 to 9, or nothing for an empty slot";
        }
        const std::string& symbol = got.scratchletter[slot];
        if (symbol.size() > 1 || (symbol.size() == 1 && !symbolbyte(symbol[0]))) {
            return where(filename, symbolline) + "the symbol of slot " + n + " is " +
                   shown(symbol) + "; it must be one letter, digit or _";
        }
        // The game always stores a symbol with its digit; a symbol alone
        // would later be spoken as a clip with no name.
        if (digit.empty() && !got.scratchletter[slot].empty()) {
            return where(filename, line) + "slot " + n + " gives the symbol " +
                   shown(got.scratchletter[slot]) + " no digit";
        }
    }
    out = got;
    return "";
}

std::string writescratch(const Scratch& pad) {
    std::string text;
    for (std::size_t slot = 1; slot <= 10; ++slot) {
        text += pad.scratchletter[slot];
        text += "\r\n";
        text += pad.scratchdigit[slot];
        text += "\r\n";
    }
    // The readers admit only symbols that need no quoting, so every pad the
    // game holds reads back as itself. Should one ever not, the file is not
    // written: a pad that cannot be read back is worse than the old one.
    Scratch back;
    const std::string error = readscratch(text, "the new scratch file", back);
    if (!error.empty() || back.scratchletter != pad.scratchletter ||
        back.scratchdigit != pad.scratchdigit)
        fail("the scratch pad cannot be saved so that it reads back: " +
             (error.empty() ? "it reads back differently" : error));
    return text;
}

// The most hints a marks file counts: far past any game, and short enough
// that reading the count can never overflow.
constexpr int maxhints = 999999;

std::string readmarks(const std::string& text, const std::string& filename, Marks& out) {
    Marks got;
    FieldReader in(text);
    std::string field;
    int line = 1;
    std::string err = need(in, filename, "the number of hints used", field, line);
    if (!err.empty()) return err;
    bool number = !field.empty() && field.size() <= 6;
    for (const char c : field) number = number && c >= '0' && c <= '9';
    if (!number)
        return where(filename, line) + "the number of hints used is " + shown(field) +
               "; it must be a whole number from 0 to " + std::to_string(maxhints);
    got.hintsused = std::stoi(field);

    std::string symbol, digits;
    int symbolline = line;
    for (FieldReader::Got next; (next = in.field(symbol, symbolline)) != FieldReader::Got::end;) {
        if (next == FieldReader::Got::unclosed)
            return where(filename, symbolline) + "a quote is not closed on this line";
        if (symbol.size() != 1 || !symbolbyte(symbol[0]) || symbol == "_")
            return where(filename, symbolline) + "the marked symbol is " + shown(symbol) +
                   "; it must be one letter or digit";
        if (got.marks.count(symbol))
            return where(filename, symbolline) + "the symbol " + shown(symbol) + " is marked twice";
        err = need(in, filename, "the marks of " + shown(symbol), digits, line);
        if (!err.empty()) return err;
        bool rising = !digits.empty();
        for (std::size_t k = 0; k < digits.size(); ++k)
            rising = rising && digits[k] >= '0' && digits[k] <= '9' &&
                     (k == 0 || digits[k] > digits[k - 1]);
        if (!rising)
            return where(filename, line) + "the marks of " + shown(symbol) + " are " +
                   shown(digits) + "; they must be digits 0 to 9 in rising order, each once";
        got.marks[symbol] = digits;
    }
    out = got;
    return "";
}

std::string writemarks(const Marks& marks) {
    std::string text = std::to_string(marks.hintsused) + "\r\n";
    for (const auto& [symbol, digits] : marks.marks)
        if (!digits.empty()) text += symbol + "," + digits + "\r\n";
    // As with the pad: a file that would not read back is never written.
    Marks back;
    const std::string error = readmarks(text, "the new marks file", back);
    std::map<std::string, std::string> kept;
    for (const auto& [symbol, digits] : marks.marks)
        if (!digits.empty()) kept[symbol] = digits;
    if (!error.empty() || back.hintsused != marks.hintsused || back.marks != kept)
        fail("the marks cannot be saved so that they read back: " +
             (error.empty() ? "they read back differently" : error));
    return text;
}

}  // namespace corvale
