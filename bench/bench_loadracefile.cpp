// LoadRaceFile on the largest lap file the reader accepts: 3000 stored lines, 30 legs a runner.
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kClasses = 10;
constexpr int kControls = 29;  // with the finish leg: 30 legs
// Two version lines, four header keys, three keys and one column header per class.
constexpr int kRunners = 3000 - 6 - kClasses * 4;

// Writes the race file once into a temporary folder; returns its path.
QString writeLargeLapFile(const QTemporaryDir& dir)
{
    using namespace basDefinition;
    BenchDocument().resetRace();
    BenchRace().RaceInfo.RaceName = QStringLiteral("ベンチマーク大会");
    BenchRace().RaceInfo.RaceDate = QDate(2024, 4, 21);
    unsigned seed = 12345;
    auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 8; };
    for (int c = 0; c < kClasses; ++c) {
        clsClassData& cls = BenchRace().ClassList.add(QStringLiteral("M%1").arg(c + 1));
        cls.ClassControlCount = kControls;
        cls.ClassLastGoalExist = true;
        cls.ClassLength = 6000 + 100 * c;
        int runners = kRunners / kClasses + (c < kRunners % kClasses ? 1 : 0);
        for (int i = 0; i < runners; ++i) {
            clsClassDataSub r;
            r.Namae = QStringLiteral("選手%1-%2").arg(c + 1).arg(i + 1);
            r.Shozoku = QStringLiteral("クラブ%1").arg(next() % 40);
            r.StartTime = (10 * 3600 + i * 60) / 86400.0;
            for (int k = 1; k <= kControls + 1; ++k) {
                unsigned roll = next() % 100;
                double lap = (60 + next() % 400) / 86400.0;
                r.setLap(k, roll == 0 ? LapMissing : roll == 1 ? LapMerged : lap);
            }
            cls.Add(r);
        }
    }
    QString path = dir.filePath(QStringLiteral("large.lap"));
    const bool saved = basConvert::SaveRaceFile(BenchDocument(), path, basConvert::SaveType::Lap) ==
                       basConvert::SaveResult::Saved;
    BenchDocument().resetRace();
    return saved ? path : QString();
}

void BM_LoadRaceFile(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = writeLargeLapFile(dir);
    if (path.isEmpty()) {
        state.SkipWithError("could not write the lap file");
        return;
    }
    for (auto _ : state) {
        if (!basConvert::LoadRaceFile(BenchDocument(), path).loaded()) {
            state.SkipWithError("the lap file did not load");
            return;
        }
        benchmark::DoNotOptimize(BenchRace().ClassList.count());
    }
    state.counters["runners"] = BenchRace().ClassList.at(1).ClassRunnerCount() * kClasses;
}
BENCHMARK(BM_LoadRaceFile)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
