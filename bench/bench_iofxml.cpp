// Writing and reading an IOF XML 3.0 result list of 2000 runners in ten classes of 30 legs:
// several megabytes, far more lines than the 3000 the lap reader's buffer holds.
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kClasses = 10;
constexpr int kRunners = 200;

void buildRace()
{
    using namespace basDefinition;
    BenchDocument().resetRace();
    BenchRace().RaceInfo.RaceName = QStringLiteral("ベンチマーク大会");
    BenchRace().RaceInfo.RaceDate = QDate(2024, 4, 21);
    std::mt19937 random(12345);
    for (int c = 1; c <= kClasses; ++c) {
        GeneratedClass shape;
        shape.name = QStringLiteral("M%1").arg(c);
        shape.runners = kRunners;
        shape.withStartTimes = true;
        shape.runnerName = QStringLiteral("選手 %1");
        AddGeneratedClass(shape, random);
    }
}

void BM_SaveIofXml(benchmark::State& state)
{
    QTemporaryDir dir;
    buildRace();
    const QString path = dir.filePath(QStringLiteral("race.xml"));
    for (auto _ : state) {
        if (basConvert::SaveRaceFile(BenchDocument(), path, basConvert::SaveType::IofXml) !=
            basConvert::SaveResult::Saved) {
            state.SkipWithError("the result list could not be written");
            return;
        }
    }
}
BENCHMARK(BM_SaveIofXml)->Unit(benchmark::kMillisecond);

void BM_LoadIofXml(benchmark::State& state)
{
    QTemporaryDir dir;
    buildRace();
    const QString path = dir.filePath(QStringLiteral("race.xml"));
    basConvert::SaveRaceFile(BenchDocument(), path, basConvert::SaveType::IofXml);
    for (auto _ : state) {
        if (!basConvert::LoadRaceFile(BenchDocument(), path).loaded()) {
            state.SkipWithError("the result list did not load");
            return;
        }
        benchmark::DoNotOptimize(BenchRace().ClassList.count());
    }
    state.counters["runners"] = kClasses * kRunners;
}
BENCHMARK(BM_LoadIofXml)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
