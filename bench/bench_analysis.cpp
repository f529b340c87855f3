// AnalyzeClassDetail over every class of a large race: 15 classes of 200 runners on 30 legs
// (3000 runners), with a few merged and missing splits as real races have.
#include "analysis/analyze.h"
#include "race/race.h"

#include <benchmark/benchmark.h>

#include <random>

namespace {

void buildRace()
{
    basDefinition::ResetRace();
    std::mt19937 random(2024);
    std::uniform_real_distribution<double> speed(0.85, 1.6);
    std::uniform_int_distribution<int> legBase(40, 600);
    std::uniform_int_distribution<int> oddity(0, 99);
    for (int c = 1; c <= 15; ++c) {
        clsClassData& cls = basDefinition::ClassList.add(QStringLiteral("Class%1").arg(c));
        cls.ClassControlCount = 29;
        cls.ClassLastGoalExist = true;
        int base[31];
        for (int l = 1; l <= 30; ++l) base[l] = legBase(random);
        for (int i = 1; i <= 200; ++i) {
            clsClassDataSub runner;
            runner.Namae = QStringLiteral("Runner %1-%2").arg(c).arg(i);
            runner.Shozoku = QStringLiteral("Club %1").arg(i % 17);
            double pace = speed(random);
            for (int l = 1; l <= 30; ++l) {
                int odd = oddity(random);
                double lap = std::round(base[l] * pace * speed(random)) / 86400.0;
                if (odd == 0) lap = LapMerged;
                if (odd == 1 && l < 30) lap = LapMissing;
                runner.setLap(l, lap);
            }
            cls.Add(runner);
        }
    }
}

// Runs one entry point over every class of the race, in class order.
template <bool (*EntryPoint)(const QString&)>
void everyClass(benchmark::State& state)
{
    buildRace();
    const QStringList names = basDefinition::ClassList.names();
    for (auto _ : state) {
        for (const QString& name : names) {
            EntryPoint(name);
            benchmark::DoNotOptimize(basAnalyze::Workspace.TopTotal);
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
