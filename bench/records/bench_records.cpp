// SPDX-License-Identifier: GPL-3.0-or-later
// The score file's costs: packing the block and a whole save and load.
#include "model/random.h"
#include "records/records.h"
#include "records/scorefile.h"
#include "util/fileops.h"

#include <QString>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A block as a few months of play leave it: defaults plus forty players.
tw::ScoreBlock realisticScoreData()
{
    tw::ScoreBlock data;
    tw::setDefaultScoreData(data);
    tw::Random random(2024);
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("Игрок %1").arg(i * 37 % 101);
        const tw::BattleFigures figures{random.randInt(600), random.randInt(600),
                                        random.randInt(3000)};
        const int index =
            tw::findOrCreatePlayer(data, name, i % 5 != 0, figures, random, 45000.0 + i * 1.37);
        data.players[index - 1].wins += random.randInt(30);
        data.players[index - 1].losses += random.randInt(30);
    }
    return data;
}

QByteArray view(const tw::ScoreBlock &data)
{
    return tw::encodeScoreBlock(data);
}

void BM_PackUnpackScoreBlock(benchmark::State &state)
{
    const QByteArray block = view(realisticScoreData());
    for (auto _ : state) {
        const QByteArray packed = tw::packRleBytes(block);
        auto payload = tw::unpackRleBytes(packed);
        benchmark::DoNotOptimize(payload);
    }
    state.counters["packed_bytes"] = static_cast<double>(tw::packRleBytes(block).size());
}
BENCHMARK(BM_PackUnpackScoreBlock);

void BM_SaveLoadScoreFile(benchmark::State &state)
{
    QTemporaryDir dataDir;
    QTemporaryDir systemDir;
    tw::ScoreBlock data = realisticScoreData();
    tw::ScoreBlock loaded;
    for (auto _ : state) {
        if (!tw::saveScoreFile(data, dataDir.path()) ||
            !tw::loadScoreFile(loaded, dataDir.path(), systemDir.path())) {
            state.SkipWithError("save or load failed");
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_SaveLoadScoreFile)->Unit(benchmark::kMicrosecond);

void BM_SaveScoreFile(benchmark::State &state)
{
    QTemporaryDir dataDir;
    tw::ScoreBlock data = realisticScoreData();
    for (auto _ : state) {
        if (!tw::saveScoreFile(data, dataDir.path())) {
            state.SkipWithError("save failed");
            break;
        }
    }
}
BENCHMARK(BM_SaveScoreFile)->Unit(benchmark::kMicrosecond);

void BM_LoadScoreFile(benchmark::State &state)
{
    QTemporaryDir dataDir;
    QTemporaryDir systemDir;
    tw::ScoreBlock data = realisticScoreData();
    tw::ScoreBlock loaded;
    if (!tw::saveScoreFile(data, dataDir.path()))
        state.SkipWithError("save failed");
    for (auto _ : state) {
        if (!tw::loadScoreFile(loaded, dataDir.path(), systemDir.path())) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadScoreFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
