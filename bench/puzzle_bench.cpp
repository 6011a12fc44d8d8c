// Timings of the puzzle tool's two costly jobs: proving a ten-symbol,
// sixteen-row puzzle unique (the solver alone, and the full check with its
// row-by-row redundancy test) and generating one ten-symbol puzzle. Run by
// hand; the figures are not part of any test because machines vary.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>

#include "solver/solver.h"

namespace {

// Ten symbols, sixteen true rows; every row is implied by the others.
const char* const kSixteenRows =
    "16\r\n"
    "\"-\"\r\n"
    "JIA_\r\n"
    "CGC_\r\n"
    "FEC_\r\n"
    "J I A minus C G C equals F E C\r\n"
    "\"*\"\r\n"
    "FD__\r\n"
    "H___\r\n"
    "BHD_\r\n"
    "F D times H equals B H D\r\n"
    "\"*\"\r\n"
    "AB__\r\n"
    "H___\r\n"
    "CCH_\r\n"
    "A B times H equals C C H\r\n"
    "\"*\"\r\n"
    "BF__\r\n"
    "E___\r\n"
    "AJG_\r\n"
    "B F times E equals A J G\r\n"
    "\"*\"\r\n"
    "HJ__\r\n"
    "I___\r\n"
    "ABG_\r\n"
    "H J times I equals A B G\r\n"
    "\"-\"\r\n"
    "JB__\r\n"
    "CE__\r\n"
    "FH__\r\n"
    "J B minus C E equals F H\r\n"
    "\"-\"\r\n"
    "IFH_\r\n"
    "GH__\r\n"
    "ICD_\r\n"
    "I F H minus G H equals I C D\r\n"
    "\"*\"\r\n"
    "CD__\r\n"
    "H___\r\n"
    "HD__\r\n"
    "C D times H equals H D\r\n"
    "\"-\"\r\n"
    "CEJ_\r\n"
    "IB__\r\n"
    "CIG_\r\n"
    "C E J minus I B equals C I G\r\n"
    "\"*\"\r\n"
    "BH__\r\n"
    "H___\r\n"
    "CFH_\r\n"
    "B H times H equals C F H\r\n"
    "\"*\"\r\n"
    "JE__\r\n"
    "H___\r\n"
    "IJD_\r\n"
    "J E times H equals I J D\r\n"
    "\"<\"\r\n"
    "I___\r\n"
    "G___\r\n"
    "____\r\n"
    "I is less than G\r\n"
    "\"*\"\r\n"
    "GB__\r\n"
    "I___\r\n"
    "AHA_\r\n"
    "G B times I equals A H A\r\n"
    "\"<\"\r\n"
    "C___\r\n"
    "I___\r\n"
    "____\r\n"
    "C is less than I\r\n"
    "\"*\"\r\n"
    "EF__\r\n"
    "A___\r\n"
    "CFI_\r\n"
    "E F times A equals C F I\r\n"
    "\"-\"\r\n"
    "FII_\r\n"
    "BIF_\r\n"
    "BJF_\r\n"
    "F I I minus B I F equals B J F\r\n"
    "D\r\n"
    "C\r\n"
    "A\r\n"
    "B\r\n"
    "I\r\n"
    "H\r\n"
    "G\r\n"
    "F\r\n"
    "E\r\n"
    "J\r\n";

corvale::solver::Model sixteenrows() {
    corvale::Puzzle puzzle;
    corvale::solver::Model model;
    corvale::solver::Digits key;
    if (!corvale::readpuzzle(kSixteenRows, "bench.txt", puzzle).empty() ||
        !corvale::solver::buildmodel(puzzle, model, key).empty()) {
        throw std::runtime_error("the benchmark puzzle does not read");
    }
    return model;
}

void SolveTenSymbolsSixteenRows(benchmark::State& state) {
    const corvale::solver::Model model = sixteenrows();
    for (auto _ : state) {
        const auto found =
            corvale::solver::solve(model, std::numeric_limits<long long>::max(), 3);
        if (found.count != 1) state.SkipWithError("the benchmark puzzle is not unique");
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(SolveTenSymbolsSixteenRows)->Unit(benchmark::kMicrosecond);

void CheckTenSymbolsSixteenRows(benchmark::State& state) {
    for (auto _ : state) {
        const auto verdict = corvale::solver::checkpuzzle(kSixteenRows, "bench.txt");
        if (!verdict.valid) state.SkipWithError(verdict.line.c_str());
        benchmark::DoNotOptimize(verdict);
    }
}
BENCHMARK(CheckTenSymbolsSixteenRows)->Unit(benchmark::kMicrosecond);

void GenerateTenSymbols(benchmark::State& state) {
    std::uint64_t seed = 0;
    for (auto _ : state) {
        std::string text;
        const std::string error = corvale::solver::generate({10, seed++, 16}, text);
        if (!error.empty()) state.SkipWithError(error.c_str());
        benchmark::DoNotOptimize(text);
    }
}
BENCHMARK(GenerateTenSymbols)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
