// SPDX-License-Identifier: GPL-3.0-or-later
// The computer's targeting, headless: it fires alone at a random fleet until
// the fleet is destroyed.
//   build/bench/match/bench_match
// BM_ComputerAgainstRandomFleets plays 10,000 fleets per area and reports
// the real shots (rejected picks not counted) needed to destroy a fleet:
// mean, median and worst; and the time of one move (one computerShot call,
// choosing, checking and, unless rejected, firing and reporting): median,
// 99th percentile and the mean cost per real shot.
#include "common/gamestateaccess.h"
#include "match/match.h"
#include "match/nullparts.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <memory>
#include <numeric>
#include <vector>

using namespace tw;

namespace {

template <typename T>
T median(std::vector<T> values)
{
    const auto middle = values.begin() + static_cast<std::ptrdiff_t>(values.size() / 2);
    std::nth_element(values.begin(), middle, values.end());
    return *middle;
}

template <typename T>
T percentile(std::vector<T> values, double p)
{
    const auto at =
        values.begin() + static_cast<std::ptrdiff_t>(static_cast<double>(values.size()) * p);
    std::nth_element(values.begin(), at, values.end());
    return *at;
}

void BM_ComputerAgainstRandomFleets(benchmark::State &state)
{
    constexpr int Games = 10000;
    const int area = static_cast<int>(state.range(0));
    auto game = std::make_unique<GameState>();
    game->boards().areaSize = static_cast<std::uint8_t>(area);
    matchOf(*game).gameInProgress = true;
    Random targeting(1);
    Random fleets(2);
    NullMatchSounds sounds;
    NullMatchDialogs dialogs;
    NoPeerChannel network;
    GameLog log; // logs nowhere
    SystemLogClock clock;
    Match match(*game, targeting, dialogs, sounds, network, log, clock);
    int reportedShots = 0; // the lines of the log window
    QObject::connect(&match, &Match::logWindowLine, [&] { ++reportedShots; });

    std::vector<int> shots(Games);
    std::vector<double> moveMicros;
    moveMicros.reserve(static_cast<std::size_t>(Games) * 150);
    double totalMicros = 0;
    for (auto _ : state) {
        moveMicros.clear();
        totalMicros = 0;
        for (int &fired : shots) {
            Board &own = game->boards().ownBoard;
            FleetCounts counts;
            generateFleet(own, counts, area, fleets);
            armBoard(own, area);
            matchOf(*game).rejectedCells.fill(CellWater);
            reportedShots = 0;
            while (!fleetDestroyed(own, area)) {
                const auto start = std::chrono::steady_clock::now();
                benchmark::DoNotOptimize(match.computerShot());
                const double micros = std::chrono::duration<double, std::micro>(
                                          std::chrono::steady_clock::now() - start)
                                          .count();
                moveMicros.push_back(micros);
                totalMicros += micros;
            }
            fired = reportedShots;
        }
    }
    const long totalShots = std::accumulate(shots.begin(), shots.end(), 0L);
    state.counters["shots_mean"] = static_cast<double>(totalShots) / Games;
    state.counters["shots_median"] = median(shots);
    state.counters["shots_worst"] = *std::max_element(shots.begin(), shots.end());
    state.counters["moves_per_shot"] =
        static_cast<double>(moveMicros.size()) / static_cast<double>(totalShots);
    state.counters["move_median_us"] = median(moveMicros);
    state.counters["move_p99_us"] = percentile(moveMicros, 0.99);
    state.counters["us_per_shot"] = totalMicros / static_cast<double>(totalShots);
}
BENCHMARK(BM_ComputerAgainstRandomFleets)
    ->Arg(10)
    ->Arg(15)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
