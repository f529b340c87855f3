// AnalyzeClassDetail over every class of a large race: 15 classes of 200 runners on 30 legs
// (3000 runners), with a few merged and missing splits as real races have.
#include "analysis/analyze.h"
#include "benchrace.h"
#include "race/race.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

void buildRace()
{
    BenchDocument().resetRace();
    std::mt19937 random(2024);
    for (int c = 1; c <= 15; ++c) {
        GeneratedClass shape;
        shape.name = QStringLiteral("Class%1").arg(c);
        shape.runnerName = QStringLiteral("Runner %1-%2").arg(c).arg(QStringLiteral("%1"));
        AddGeneratedClass(shape, random);
    }
}

// Runs one entry point over every class of the race, in class order.
template <basAnalyze::AnalysisWorkspace (*EntryPoint)(const Race&, const QString&)>
void everyClass(benchmark::State& state)
{
    buildRace();
    const QStringList names = BenchRace().ClassList.names();
    for (auto _ : state) {
        for (const QString& name : names) {
            const basAnalyze::AnalysisWorkspace ws = EntryPoint(BenchRace(), name);
            benchmark::DoNotOptimize(ws.TopTotal);
        }
    }
    state.SetItemsProcessed(state.iterations() * 3000);
}

// The figure that matters: the season file analyses every class in detail.
void BM_AnalyzeClassDetailWholeRace(benchmark::State& state)
{
    everyClass<basAnalyze::AnalyzeClassDetail>(state);
}
BENCHMARK(BM_AnalyzeClassDetailWholeRace)->Unit(benchmark::kMillisecond);

// Its parts: times and ranks only, and the measures without the detail.
void BM_PrepareClassWholeRace(benchmark::State& state)
{
    everyClass<basAnalyze::PrepareClass>(state);
}
BENCHMARK(BM_PrepareClassWholeRace)->Unit(benchmark::kMillisecond);

void BM_AnalyzeClassWholeRace(benchmark::State& state)
{
    everyClass<basAnalyze::AnalyzeClass>(state);
}
BENCHMARK(BM_AnalyzeClassWholeRace)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
