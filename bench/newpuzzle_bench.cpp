// How long the game takes to make a new puzzle of each level, and what it
// makes: for seeds 1..N per level, the time and draws each puzzle took
// (median, p99, max), the time of a single draw timed alone, and the spread of
// grades, symbol counts and row counts. The game bounds its waiting by a
// budget of draws, set from these figures. It prints and judges nothing.
//
//   newpuzzle_bench [N] [BUDGET]    N seeds a level (100), BUDGET draws (the game's)
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "puzzle/reader.h"
#include "solver/solver.h"

using namespace corvale::solver;
using Clock = std::chrono::steady_clock;

namespace {

double at(std::vector<double> v, double q) {
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, static_cast<std::size_t>(q * static_cast<double>(v.size())))];
}

template <typename T>
std::string spread(const std::map<T, int>& counts) {
    std::string out;
    for (const auto& [value, count] : counts)
        out += " " + std::to_string(value) + ":" + std::to_string(count);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    const int seeds = argc > 1 ? std::atoi(argv[1]) : 100;
    const int budget = argc > 2 ? std::atoi(argv[2]) : kMakeBudget;
    const char* names[] = {"", "easy", "medium", "hard"};
    std::printf("%d seeds a level, a budget of %d draws\n", seeds, budget);
    for (int n = 1; n <= kLevels; ++n) {
        std::vector<double> ms, draws;
        double drawworst = 0;
        std::map<long long, int> grades;
        std::map<int, int> symbols, rows;
        int inlevel = 0, failed = 0;
        for (int seed = 1; seed <= seeds; ++seed) {
            Made made;
            const auto start = Clock::now();
            const std::string error =
                makelevel(n, static_cast<std::uint64_t>(seed), budget, {}, made);
            const double took =
                std::chrono::duration<double, std::milli>(Clock::now() - start).count();
            if (!error.empty()) {
                ++failed;
                continue;
            }
            ms.push_back(took);
            draws.push_back(made.draws);
            // The mean draw of the slowest make; single draws are timed below.
            drawworst = std::max(drawworst, took / made.draws);
            ++grades[made.grade.guesses];
            ++symbols[made.symbols];
            corvale::Puzzle p;
            corvale::readpuzzle(made.text, "new.txt", p);
            ++rows[p.cluecount];
            inlevel += made.inlevel ? 1 : 0;
        }
        std::printf("%s: %d in level, %d nearest only, %d none\n", names[n], inlevel,
                    seeds - inlevel - failed, failed);
        if (ms.empty()) continue;
        std::printf("  time ms: median %.1f  p99 %.1f  max %.1f;  mean draw at worst %.1f ms\n",
                    at(ms, 0.5), at(ms, 0.99), at(ms, 1.0), drawworst);
        std::printf("  draws:   median %.0f  p99 %.0f  max %.0f\n", at(draws, 0.5), at(draws, 0.99),
                    at(draws, 1.0));
        std::printf("  grades (grade:count)%s\n", spread(grades).c_str());
        std::printf("  symbols%s\n", spread(symbols).c_str());
        std::printf("  rows%s\n", spread(rows).c_str());
        // A single draw, timed alone: a budget of one stops after the first
        // draw that gives a puzzle, so a make of one draw is one draw's time.
        std::vector<double> single;
        for (int seed = 1; seed <= seeds; ++seed) {
            Made made;
            const auto start = Clock::now();
            if (!makelevel(n, static_cast<std::uint64_t>(seed), 1, {}, made).empty() ||
                made.draws != 1)
                continue;
            single.push_back(
                std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        }
        if (!single.empty())
            std::printf("  one draw ms (%zu timed alone): median %.1f  p99 %.1f  max %.1f\n",
                        single.size(), at(single, 0.5), at(single, 0.99), at(single, 1.0));
    }
    return 0;
}
