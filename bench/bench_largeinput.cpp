// LoadRaceFile on large inputs that are no race: one line of comma-separated text and many
// short lines, of 10, 40 and 64 MB, under the names of the line readers. Every size must be read
// or refused in time linear in its size; "peak_rss_mb" is the process's peak so far (run one
// size at a time with --benchmark_filter to read it for that size alone).
#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>

namespace {

QString writeInput(const QTemporaryDir& dir, const QString& name, qint64 megabytes, bool oneLine)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return QString();
    const QByteArray piece = oneLine ? QByteArray("M21,Runner,Club,00:05:07,")
                                     : QByteArray("M21,Runner,Club,00:05:07\r\n");
    QByteArray block;
    while (block.size() < (1 << 20)) block += piece;
    block.truncate(1 << 20);
    for (qint64 i = 0; i < megabytes; ++i) file.write(block);
    file.resize(megabytes << 20);
    return path;
}

void LargeInput(benchmark::State& state, const char* name, bool oneLine)
{
    QTemporaryDir dir;
    const QString path = writeInput(dir, QString::fromLatin1(name), state.range(0), oneLine);
    for (auto _ : state) {
        basDefinition::ResetRace();
        basConvert::LoadRaceFile(path);
        benchmark::DoNotOptimize(basDefinition::FileResult);
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_mb"] = usage.ru_maxrss / 1024.0;
    state.counters["file_mb"] = static_cast<double>(state.range(0));
}

void BM_OneLineCsv(benchmark::State& state)
{
    LargeInput(state, "large.csv", true);
}
void BM_ManyLinesCsv(benchmark::State& state)
{
    LargeInput(state, "large.csv", false);
}
void BM_OneLineLap(benchmark::State& state)
{
    LargeInput(state, "large.lap", true);
}

BENCHMARK(BM_OneLineCsv)->Arg(10)->Arg(40)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_ManyLinesCsv)->Arg(10)->Arg(64)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_OneLineLap)->Arg(40)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

BENCHMARK_MAIN();
