// The import of large foreign tables beside the load of the same race as a lap file: a
// horizontal CSV table of about 3000 lines, and a vertical one whose lines hold 1000 columns.
#include "benchrace.h"
#include "lapfiles/formattable.h"
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// Ten classes of 295 runners: 2960 table lines, and the lap file of the same race stays
// within the 3000 lines of the line buffer. Five classes of 198 runners: 1000 columns.
struct RaceShape {
    int classes;
    int runners;
};
constexpr RaceShape kHorizontal{10, 295};
constexpr RaceShape kVertical{5, 198};

struct RaceFiles {
    QTemporaryDir dir;
    QString table;
    QString lap;
};

// Writes the race as a table (filter 2 horizontal, 3 vertical) and as a lap file.
RaceFiles& filesFor(const RaceShape& shape, int filter)
{
    static RaceFiles files[2];
    RaceFiles& f = files[filter - 2];
    if (!f.table.isEmpty()) return f;
    BenchDocument().resetRace();
    std::mt19937 random(4242);
    for (int c = 1; c <= shape.classes; ++c) {
        GeneratedClass cls;
        cls.name = QStringLiteral("M%1").arg(c);
        cls.runners = shape.runners;
        AddGeneratedClass(cls, random);
    }
    f.table = f.dir.filePath(QStringLiteral("race.csv"));
    f.lap = f.dir.filePath(QStringLiteral("race.lap"));
    basConvert::SaveRaceFile(BenchDocument(), f.table, *basConvert::SaveTypeAt(filter));
    basConvert::SaveRaceFile(BenchDocument(), f.lap, basConvert::SaveType::Lap);
    BenchDocument().resetRace();
    return f;
}

void loadRepeatedly(benchmark::State& state, const QString& path, int expectedRunners)
{
    for (auto _ : state) {
        if (!basConvert::LoadRaceFile(BenchDocument(), path).loaded()) {
            state.SkipWithError("the file did not load");
            return;
        }
    }
    int runners = 0;
    for (const auto& cls : BenchRace().ClassList) runners += cls->ClassRunnerCount();
    if (runners != expectedRunners) state.SkipWithError("runners were lost");
    state.counters["runners"] = runners;
}

void BM_ImportHorizontalTable(benchmark::State& state)
{
    RaceFiles& f = filesFor(kHorizontal, 2);
    loadRepeatedly(state, f.table, kHorizontal.classes * kHorizontal.runners);
}
void BM_LoadSameRaceAsLap_Horizontal(benchmark::State& state)
{
    RaceFiles& f = filesFor(kHorizontal, 2);
    loadRepeatedly(state, f.lap, kHorizontal.classes * kHorizontal.runners);
}
void BM_ImportVerticalTable(benchmark::State& state)
{
    RaceFiles& f = filesFor(kVertical, 3);
    loadRepeatedly(state, f.table, kVertical.classes * kVertical.runners);
}
void BM_LoadSameRaceAsLap_Vertical(benchmark::State& state)
{
    RaceFiles& f = filesFor(kVertical, 3);
    loadRepeatedly(state, f.lap, kVertical.classes * kVertical.runners);
}
BENCHMARK(BM_ImportHorizontalTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSameRaceAsLap_Horizontal)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportVerticalTable)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSameRaceAsLap_Vertical)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
