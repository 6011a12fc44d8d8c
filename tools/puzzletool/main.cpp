// corvale-puzzle: the puzzle author's command line. "check" judges puzzle
// files with the game's own reader; "generate" writes a new puzzle; "reword"
// says a puzzle's sentences anew in a language's words. Each checked file
// gets one line, so a batch reads as a list. The sentences are English
// unless --table names a language's clip table to take the words from.
#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "dist/release.h"
#include "tools/puzzletool/words.h"

namespace {

constexpr int kUsageExit = 2;

int usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "corvale-puzzle: " << problem << "\n";
    std::cerr << "usage: corvale-puzzle check [--table CLIPS] FILE...\n"
                 "       corvale-puzzle grade FILE...\n"
                 "       corvale-puzzle generate --symbols N --seed S [--rows R] [--table CLIPS] "
                 "[-o FILE]\n"
                 "       corvale-puzzle reword --table CLIPS FILE [-o FILE]\n"
                 "       corvale-puzzle --version\n"
                 "  check     says for each puzzle file whether exactly one assignment of\n"
                 "            digits fits its rows and matches its answer key\n"
                 "  grade     says for each puzzle file how many guesses a solver needs that\n"
                 "            works row by row as a player does (0: the rows alone lead there)\n"
                 "  generate  writes a new puzzle of N symbols (3 to 10) with at most R rows\n"
                 "            (1 to 16, default 16); the same seed gives the same puzzle\n"
                 "  reword    writes the puzzle with each row's sentence in the table's words\n"
                 "  --table   a clip table, such as sounds/clips.de.tsv: sentences use its\n"
                 "            words for times, minus, is less than and equals\n";
    return kUsageExit;
}

bool readfile(const std::string& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    text = all.str();
    return !in.bad();
}

// Takes "--table FILE" out of `args` into `words`. False, with the message
// printed and the exit status in `status`, when the table gives no words.
bool tablewords(std::vector<std::string>& args, corvale::solver::Words& words, int& status) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] != "--table") continue;
        if (i + 1 >= args.size()) {
            status = usage("--table needs a value");
            return false;
        }
        const std::string error = corvale::solver::wordsfromtable(args[i + 1], words);
        if (!error.empty()) {
            std::cerr << "corvale-puzzle: " << error << "\n";
            status = 1;
            return false;
        }
        args.erase(args.begin() + static_cast<std::ptrdiff_t>(i),
                   args.begin() + static_cast<std::ptrdiff_t>(i + 2));
        return true;
    }
    return true;
}

// Writes `text` to `outfile`, or to standard output when it is empty.
int output(const std::string& text, const std::string& outfile) {
    if (outfile.empty()) {
        std::cout << text;
        return std::cout ? 0 : 1;
    }
    std::ofstream out(outfile, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        std::cerr << "corvale-puzzle: cannot write " << outfile << "\n";
        return 1;
    }
    return 0;
}

int check(std::vector<std::string> files) {
    corvale::solver::Words words;
    if (int status = 0; !tablewords(files, words, status)) return status;
    if (files.empty()) return usage("check needs at least one puzzle file");
    bool allvalid = true;
    for (const std::string& file : files) {
        std::string text;
        if (!readfile(file, text)) {
            std::cout << file << ": cannot read the file: " << std::strerror(errno) << "\n";
            allvalid = false;
            continue;
        }
        const corvale::solver::Verdict verdict = corvale::solver::checkpuzzle(text, file, words);
        std::cout << verdict.line << "\n";
        allvalid = allvalid && verdict.valid;
    }
    return allvalid ? 0 : 1;
}

int grade(const std::vector<std::string>& files) {
    if (files.empty()) return usage("grade needs at least one puzzle file");
    bool allgraded = true;
    for (const std::string& file : files) {
        std::string text, line;
        if (!readfile(file, text)) {
            std::cout << file << ": cannot read the file: " << std::strerror(errno) << "\n";
            allgraded = false;
            continue;
        }
        allgraded = corvale::solver::gradeline(text, file, line) && allgraded;
        std::cout << line << "\n";
    }
    return allgraded ? 0 : 1;
}

template <typename T>
bool number(std::string_view text, T& out) {
    const char* end = text.data() + text.size();
    const auto result = std::from_chars(text.data(), end, out);
    return !text.empty() && result.ec == std::errc() && result.ptr == end;
}

int generate(std::vector<std::string> args) {
    corvale::solver::GenerateOptions options;
    corvale::solver::Words words;
    if (int status = 0; !tablewords(args, words, status)) return status;
    bool symbols = false;
    bool seed = false;
    std::string outfile;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& flag = args[i];
        if (i + 1 >= args.size()) return usage(flag + " needs a value");
        const std::string& value = args[++i];
        bool ok = true;
        if (flag == "--symbols") {
            ok = number(value, options.symbols) && options.symbols >= 3 && options.symbols <= 10;
            symbols = true;
        } else if (flag == "--seed") {
            ok = number(value, options.seed);
            seed = true;
        } else if (flag == "--rows") {
            ok = number(value, options.maxrows) && options.maxrows >= 1 && options.maxrows <= 16;
        } else if (flag == "-o") {
            outfile = value;
        } else {
            return usage("unknown option " + flag);
        }
        if (!ok) return usage("bad value \"" + value + "\" for " + flag);
    }
    if (!symbols || !seed) return usage("generate needs --symbols and --seed");

    std::string text;
    const std::string error = corvale::solver::generate(options, text, words);
    if (!error.empty()) {
        std::cerr << "corvale-puzzle: " << error << "\n";
        return 1;
    }
    return output(text, outfile);
}

int reword(std::vector<std::string> args) {
    corvale::solver::Words words;
    const bool table = std::find(args.begin(), args.end(), "--table") != args.end();
    if (int status = 0; !tablewords(args, words, status)) return status;
    std::string outfile;
    if (args.size() == 3 && args[1] == "-o") {
        outfile = args[2];
        args.resize(1);
    }
    if (!table || args.size() != 1) return usage("reword needs --table and one puzzle file");
    std::string text;
    if (!readfile(args[0], text)) {
        std::cerr << "corvale-puzzle: cannot read " << args[0] << ": " << std::strerror(errno)
                  << "\n";
        return 1;
    }
    std::string error;
    const std::string reworded = corvale::solver::reword(text, args[0], words, error);
    if (!error.empty()) {
        std::cerr << "corvale-puzzle: " << error << "\n";
        return 1;
    }
    return output(reworded, outfile);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    if (args.empty()) return usage("");
    if (args[0] == "--version") {
        std::cout << "corvale-puzzle " << corvale::release::version << "\n";
        return std::cout ? 0 : 1;
    }
    const std::vector<std::string> rest(args.begin() + 1, args.end());
    if (args[0] == "check") return check(rest);
    if (args[0] == "generate") return generate(rest);
    if (args[0] == "grade") return grade(rest);
    if (args[0] == "reword") return reword(rest);
    return usage("unknown command " + args[0]);
}
