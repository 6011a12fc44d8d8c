// corvale-puzzle: the puzzle author's command line. "check" judges puzzle
// files with the game's own reader; "generate" writes a new puzzle. Each
// checked file gets one line, so a batch reads as a list.
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
#include "tools/puzzletool/solver.h"

namespace {

constexpr int kUsageExit = 2;

int usage(const std::string& problem) {
    if (!problem.empty()) std::cerr << "corvale-puzzle: " << problem << "\n";
    std::cerr << "usage: corvale-puzzle check FILE...\n"
                 "       corvale-puzzle grade FILE...\n"
                 "       corvale-puzzle generate --symbols N --seed S [--rows R] [-o FILE]\n"
                 "       corvale-puzzle --version\n"
                 "  check     says for each puzzle file whether exactly one assignment of\n"
                 "            digits fits its rows and matches its answer key\n"
                 "  grade     says for each puzzle file how many guesses a solver needs that\n"
                 "            works row by row as a player does (0: the rows alone lead there)\n"
                 "  generate  writes a new puzzle of N symbols (3 to 10) with at most R rows\n"
                 "            (1 to 16, default 16); the same seed gives the same puzzle\n";
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

int check(const std::vector<std::string>& files) {
    if (files.empty()) return usage("check needs at least one puzzle file");
    bool allvalid = true;
    for (const std::string& file : files) {
        std::string text;
        if (!readfile(file, text)) {
            std::cout << file << ": cannot read the file: " << std::strerror(errno) << "\n";
            allvalid = false;
            continue;
        }
        const corvale::puzzletool::Verdict verdict = corvale::puzzletool::checkpuzzle(text, file);
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
        allgraded = corvale::puzzletool::gradeline(text, file, line) && allgraded;
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

int generate(const std::vector<std::string>& args) {
    corvale::puzzletool::GenerateOptions options;
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
    const std::string error = corvale::puzzletool::generate(options, text);
    if (!error.empty()) {
        std::cerr << "corvale-puzzle: " << error << "\n";
        return 1;
    }
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
    return usage("unknown command " + args[0]);
}
