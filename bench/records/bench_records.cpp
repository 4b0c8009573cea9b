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
tw::TScoreData RealisticScoreData()
{
    tw::TScoreData data;
    tw::SetDefaultScoreData(data);
    tw::Random random(2024);
    for (int i = 0; i < 40; ++i) {
        const QString name = QStringLiteral("Игрок %1").arg(i * 37 % 101);
        const tw::BattleFigures figures{random.RandInt(600), random.RandInt(600),
                                        random.RandInt(3000)};
        const int index =
            tw::FindOrCreatePlayer(data, name, i % 5 != 0, figures, random, 45000.0 + i * 1.37);
        data.Players[index - 1].Wins += random.RandInt(30);
        data.Players[index - 1].Losses += random.RandInt(30);
    }
    return data;
}

QByteArray View(const tw::TScoreData &data)
{
    return tw::encodeScoreBlock(data);
}

void BM_PackUnpackScoreBlock(benchmark::State &state)
{
    const QByteArray block = View(RealisticScoreData());
    for (auto _ : state) {
        const QByteArray packed = tw::PackRleBytes(block);
        auto payload = tw::UnpackRleBytes(packed);
        benchmark::DoNotOptimize(payload);
    }
    state.counters["packed_bytes"] = static_cast<double>(tw::PackRleBytes(block).size());
}
BENCHMARK(BM_PackUnpackScoreBlock);

void BM_SaveLoadScoreFile(benchmark::State &state)
{
    QTemporaryDir dataDir;
    QTemporaryDir systemDir;
    tw::TScoreData data = RealisticScoreData();
    tw::TScoreData loaded;
    for (auto _ : state) {
        if (!tw::SaveScoreFile(data, dataDir.path()) ||
            !tw::LoadScoreFile(loaded, dataDir.path(), systemDir.path())) {
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
    tw::TScoreData data = RealisticScoreData();
    for (auto _ : state) {
        if (!tw::SaveScoreFile(data, dataDir.path())) {
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
    tw::TScoreData data = RealisticScoreData();
    tw::TScoreData loaded;
    if (!tw::SaveScoreFile(data, dataDir.path()))
        state.SkipWithError("save failed");
    for (auto _ : state) {
        if (!tw::LoadScoreFile(loaded, dataDir.path(), systemDir.path())) {
            state.SkipWithError("load failed");
            break;
        }
        benchmark::DoNotOptimize(loaded);
    }
}
BENCHMARK(BM_LoadScoreFile)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
