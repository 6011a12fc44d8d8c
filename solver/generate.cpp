// The puzzle generator. It draws a digit for each symbol, then adds true
// rows, each chosen to cut down the assignments still possible, until only
// the answer key is left; then it drops every row the others already imply,
// so each row the player hears tells something new. All chance comes from
// one seeded splitmix64 stream, so a seed names its puzzle on every machine.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <set>
#include <string>
#include <vector>

#include "solver/solver.h"

namespace corvale::solver {
namespace {

constexpr int kMaxNumber = 9999;         // a word has four positions
constexpr long long kListLimit = 20000;  // assignments kept in memory while choosing rows
constexpr std::size_t kSample = 40;      // candidate rows weighed for each new row

class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }

    // 0..n-1 for n > 0.
    std::size_t below(std::size_t n) { return static_cast<std::size_t>(next() % n); }

    template <typename T>
    void shuffle(std::vector<T>& v) {
        for (std::size_t i = v.size(); i > 1; --i) std::swap(v[i - 1], v[below(i)]);
    }

  private:
    std::uint64_t state_;
};

// A row as the numbers it states; c is unused for '<'.
struct Row {
    char op = '*';
    int a = 0, b = 0, c = 0;
    auto operator<=>(const Row&) const = default;
};

class Generator {
  public:
    Generator(int symbols, const Words& words, Rng& rng) : n_(symbols), words_(words), rng_(rng) {
        std::vector<int> digits = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
        rng_.shuffle(digits);
        letter_.fill(0);
        for (int s = 0; s < n_; ++s) {
            const std::size_t d = static_cast<std::size_t>(digits.at(static_cast<std::size_t>(s)));
            letter_[d] = static_cast<char>('A' + s);
        }
        candidates();
    }

    // One attempt; false when this draw of digits and rows gave no puzzle.
    bool run(int maxrows, Puzzle& out) {
        if (times_.empty() && minus_.empty() && less_.empty()) return false;
        std::vector<Row> rows;
        std::set<Row> taken;
        auto add = [&](const Row& r) {
            if (taken.insert(r).second) rows.push_back(r);
        };

        // First make every symbol appear, then cut the assignments down to
        // a number small enough to hold in a list.
        for (int tries = 0; tries < 400 && !uncovered(rows).empty(); ++tries) {
            const std::string missing = uncovered(rows);
            const Row r = shortest(8);
            if (std::any_of(missing.begin(), missing.end(), [&](char c) { return uses(r, c); })) {
                add(r);
            }
        }
        if (!uncovered(rows).empty()) return false;
        Solutions left = solve(model(rows), kListLimit, static_cast<std::size_t>(kListLimit));
        for (int tries = 0; left.count >= kListLimit; ++tries) {
            if (tries > 40) return false;
            add(shortest(8));
            left = solve(model(rows), kListLimit, static_cast<std::size_t>(kListLimit));
        }

        // Then add, each time, the shortest sampled row that rules anything
        // out: short rows are easy to hold in mind while listening, and many
        // small steps make a puzzle that is reasoned through, not guessed.
        std::vector<Digits> alive = std::move(left.first);
        int stalls = 0;
        while (alive.size() > 1) {
            Row best;
            std::size_t bestlength = 0;
            std::size_t bestleft = alive.size();
            for (std::size_t i = 0; i < kSample; ++i) {
                const Row r = draw();
                if (taken.count(r) != 0) continue;
                const Equation eq = equation(r);
                const std::size_t still = static_cast<std::size_t>(std::count_if(
                    alive.begin(), alive.end(), [&](const Digits& d) { return holds(eq, d); }));
                const std::size_t length = symbolcount(eq);
                if (still < alive.size() && (bestleft == alive.size() || length < bestlength ||
                                             (length == bestlength && still < bestleft))) {
                    best = r;
                    bestlength = length;
                    bestleft = still;
                }
            }
            if (bestleft == alive.size()) {
                if (++stalls > 8) return false;
                continue;
            }
            add(best);
            const Equation eq = equation(best);
            std::erase_if(alive, [&](const Digits& d) { return !holds(eq, d); });
        }

        // Drop every row the others already imply, trying the longest rows
        // first so that the puzzle keeps its short ones.
        rng_.shuffle(rows);
        std::stable_sort(rows.begin(), rows.end(), [&](const Row& x, const Row& y) {
            return symbolcount(equation(x)) < symbolcount(equation(y));
        });
        for (std::size_t i = rows.size(); i-- > 0;) {
            std::vector<Row> without = rows;
            without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
            if (uncovered(without).empty() && solve(model(without), 2, 0).count == 1) {
                rows = std::move(without);
            }
        }
        // A row kept only so that a symbol is heard is still one the others
        // imply; such a draw is thrown away rather than shipped.
        if (rows.size() > static_cast<std::size_t>(maxrows)) return false;
        for (std::size_t i = 0; i < rows.size(); ++i) {
            std::vector<Row> without = rows;
            without.erase(without.begin() + static_cast<std::ptrdiff_t>(i));
            if (solve(model(without), 2, 0).count == 1) return false;
        }
        out = puzzle(rows);
        return true;
    }

  private:
    bool usable(int value) const {
        if (value < 0 || value > kMaxNumber) return false;
        do {
            if (letter_.at(static_cast<std::size_t>(value % 10)) == 0) return false;
            value /= 10;
        } while (value > 0);
        return true;
    }

    // Every true row of the shapes the game reads well: a one- or two-symbol
    // number times another, a subtraction of numbers up to three symbols,
    // and one symbol less than another. Rows that give a symbol away on
    // their own (times 0 or 1, minus 0) are left out.
    void candidates() {
        std::vector<int> numbers;
        for (int v = 0; v <= 999; ++v) {
            if (usable(v)) numbers.push_back(v);
        }
        for (const int a : numbers) {
            for (const int b : numbers) {
                if (a <= 99 && b >= 2 && b <= a && usable(a * b))
                    times_.push_back({'*', a, b, a * b});
                if (b >= 1 && b <= 99 && a > b && usable(a - b) && a - b >= 1) {
                    minus_.push_back({'-', a, b, a - b});
                }
                if (a <= 9 && b <= 9 && a < b) less_.push_back({'<', a, b, 0});
            }
        }
    }

    Row draw() {
        for (;;) {
            const std::size_t pick = rng_.below(20);
            const std::vector<Row>& from = pick < 9 ? times_ : pick < 17 ? minus_ : less_;
            if (!from.empty()) return from[rng_.below(from.size())];
        }
    }

    // The shortest of a few drawn rows.
    Row shortest(int draws) {
        Row best = draw();
        for (int i = 1; i < draws; ++i) {
            const Row r = draw();
            if (symbolcount(equation(r)) < symbolcount(equation(best))) best = r;
        }
        return best;
    }

    std::string word(int value) const {
        std::string w = std::to_string(value);
        for (char& c : w) c = letter_.at(static_cast<std::size_t>(c - '0'));
        return w + std::string(4 - w.size(), '_');
    }

    std::array<std::string, 3> words(const Row& r) const {
        return {word(r.a), word(r.b), r.op == '<' ? std::string("____") : word(r.c)};
    }

    bool uses(const Row& r, char c) const {
        for (const std::string& w : words(r)) {
            if (w.find(c) != std::string::npos) return true;
        }
        return false;
    }

    std::string uncovered(const std::vector<Row>& rows) const {
        std::string missing;
        for (int s = 0; s < n_; ++s) {
            const char c = static_cast<char>('A' + s);
            if (std::none_of(rows.begin(), rows.end(), [&](const Row& r) { return uses(r, c); })) {
                missing += c;
            }
        }
        return missing;
    }

    Equation equation(const Row& r) const {
        Equation eq;
        eq.op = r.op;
        const std::array<std::string, 3> w = words(r);
        for (std::size_t i = 0; i < 3; ++i) {
            for (const char c : w[i]) {
                if (c != '_') eq.words[i].push_back(c - 'A');
            }
        }
        return eq;
    }

    static std::size_t symbolcount(const Equation& eq) {
        return eq.words[0].size() + eq.words[1].size() + eq.words[2].size();
    }

    Model model(const std::vector<Row>& rows) const {
        Model m;
        for (int s = 0; s < n_; ++s) m.symbols += static_cast<char>('A' + s);
        for (const Row& r : rows) m.rows.push_back(equation(r));
        return m;
    }

    Puzzle puzzle(const std::vector<Row>& rows) const {
        Puzzle p;
        p.cluecount = static_cast<int>(rows.size());
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::array<std::string, 3> w = words(rows[i]);
            const std::size_t at = i + 1;
            p.clueop.at(at) = std::string(1, rows[i].op);
            p.cluea.at(at) = w[0];
            p.clueb.at(at) = w[1];
            p.cluec.at(at) = w[2];
            p.cluetext.at(at) = sentence(p.clueop[at], w[0], w[1], w[2], words_);
        }
        for (std::size_t d = 0; d < 10; ++d) {
            p.answerkey[d] = letter_[d] == 0 ? std::string("*") : std::string(1, letter_[d]);
        }
        return p;
    }

    int n_;
    const Words& words_;
    Rng& rng_;
    std::array<char, 10> letter_{};  // symbol letter of each digit, 0 for none
    std::vector<Row> times_, minus_, less_;
};

}  // namespace

std::string generate(const GenerateOptions& options, std::string& text, const Words& words) {
    if (options.symbols < 3 || options.symbols > 10) {
        return "the number of symbols must be from 3 to 10";
    }
    if (options.maxrows < 1 || options.maxrows > 16) {
        return "the number of rows must be from 1 to 16";
    }
    // A row names at most eight symbols (two times two giving four, or
    // three minus two giving three), so too few rows cannot name them all.
    if (options.maxrows * 8 < options.symbols) {
        return "a puzzle of " + std::to_string(options.symbols) + " symbols needs more than " +
               std::to_string(options.maxrows) + " row, as a row names at most eight symbols";
    }
    if (options.draws < 1) return "the number of draws must be 1 or more";
    Rng rng(options.seed);
    for (int attempt = 0; attempt < options.draws; ++attempt) {
        Generator gen(options.symbols, words, rng);
        Puzzle p;
        if (gen.run(options.maxrows, p)) {
            text = puzzletext(p);
            return "";
        }
    }
    return "no puzzle of " + std::to_string(options.symbols) + " symbols with at most " +
           std::to_string(options.maxrows) + " rows came from seed " +
           std::to_string(options.seed) + "; try another seed or allow more rows";
}

const Level& level(int n) {
    // Easy: a few symbols the rows alone pin down. Medium: more symbols and
    // a few trials. Hard: all ten digits and many trials, as the hardest
    // shipped puzzle.
    static const Level levels[kLevels] = {
        {4, 6, 0, 1},
        {7, 8, 2, 5},
        {10, 10, 6, std::numeric_limits<long long>::max()},
    };
    return levels[std::clamp(n, 1, kLevels) - 1];
}

std::string makelevel(int n, std::uint64_t seed, int budget, const Words& words, Made& made) {
    if (n < 1 || n > kLevels) return "there is no level " + std::to_string(n);
    const Level& want = level(n);
    auto distance = [&](long long g) {
        return g < want.lowest ? want.lowest - g : g > want.highest ? g - want.highest : 0;
    };
    // Each draw is one generator attempt from a seed of its own, so the
    // draws are counted exactly and a seed still names its puzzle.
    Rng rng(seed ^ (static_cast<std::uint64_t>(n) << 56));
    Made best;
    bool found = false;
    int draws = 0;
    // Past the budget, drawing goes on only until a first puzzle comes: a
    // draw that gives none is common, a long run of them is not.
    const int cap = budget + 1000;
    while (draws < cap && (!found || (draws < budget && !best.inlevel))) {
        ++draws;
        const int symbols =
            want.fewest +
            static_cast<int>(rng.below(static_cast<std::size_t>(want.most - want.fewest + 1)));
        const std::uint64_t drawseed = rng.next();
        std::string text;
        if (!generate({symbols, drawseed, 16, 1}, text, words).empty()) continue;
        Puzzle puzzle;
        Model model;
        Digits key;
        if (!readpuzzle(text, "new.txt", puzzle).empty() || !buildmodel(puzzle, model, key).empty())
            continue;
        const Grade g = grade(model);
        if (g.solutions != 1) continue;
        if (!found || distance(g.guesses) < distance(best.grade.guesses)) {
            best = {text, g, symbols, 0, distance(g.guesses) == 0};
            found = true;
        }
    }
    if (!found) return "no puzzle came in " + std::to_string(draws) + " draws";
    made = best;
    made.draws = draws;
    return "";
}

std::string puzzletext(const Puzzle& puzzle) {
    const std::string end = "\r\n";
    std::string out = std::to_string(puzzle.cluecount) + end;
    for (int r = 1; r <= puzzle.cluecount && r <= 16; ++r) {
        const std::size_t i = static_cast<std::size_t>(r);
        out += "\"" + puzzle.clueop[i] + "\"" + end;
        out += puzzle.cluea[i] + end + puzzle.clueb[i] + end + puzzle.cluec[i] + end;
        out += puzzle.cluetext[i] + end;
    }
    for (const std::string& entry : puzzle.answerkey) {
        out += (entry == "*" ? "\"*\"" : entry) + end;
    }
    return out;
}

}  // namespace corvale::solver
