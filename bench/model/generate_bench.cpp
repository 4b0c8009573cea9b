// SPDX-License-Identifier: GPL-3.0-or-later
// Random fleet generation without any display.
//   build/bench/model/bench_model
// BM_GenerateFleet gives the typical cost per fleet; BM_SlowestOf100k runs
// 100,000 fleets per iteration and reports the median and the slowest one.
#include "model/placement.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <vector>

using namespace tw;

static void BM_GenerateFleet(benchmark::State &state)
{
    const int area = static_cast<int>(state.range(0));
    Random random(1);
    Board board;
    FleetCounts counts;
    for (auto _ : state) {
        generateFleet(board, counts, area, random);
        benchmark::DoNotOptimize(board);
    }
}
BENCHMARK(BM_GenerateFleet)->Arg(10)->Arg(15);

static void BM_SlowestOf100k(benchmark::State &state)
{
    const int area = static_cast<int>(state.range(0));
    Random random(2);
    Board board;
    FleetCounts counts;
    std::vector<double> micros(100000);
    for (auto _ : state) {
        for (double &m : micros) {
            const auto start = std::chrono::steady_clock::now();
            generateFleet(board, counts, area, random);
            benchmark::DoNotOptimize(board);
            m = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
                    .count();
        }
    }
    std::nth_element(micros.begin(), micros.begin() + 50000, micros.end());
    state.counters["median_us"] = micros[50000];
    state.counters["slowest_us"] = *std::max_element(micros.begin(), micros.end());
}
BENCHMARK(BM_SlowestOf100k)->Arg(10)->Arg(15)->Iterations(1)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
