// The live publishing cycle as the organiser's machine runs it: a whole SplitDuel process
// (-platform offscreen) on a script over a generated race of 50 classes and about 2,800
// runners. Every iteration writes into a fresh output folder.
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/pathutil.h"
#include "race/race.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kClasses = 50;
// The reader's limit of 3000 stored lines: two version lines, four header keys, and three keys
// and a column header per class leave 2794 runner lines.
constexpr int kRunners = 3000 - 6 - kClasses * 4;

QString writeRace(const QTemporaryDir& dir)
{
    using namespace basDefinition;
    ResetRace();
    RaceInfo.RaceName = QStringLiteral("ベンチマーク大会");
    RaceInfo.RaceDate = QDate(2024, 4, 21);
    std::mt19937 random(2024);
    for (int c = 0; c < kClasses; ++c) {
        GeneratedClass shape;
        shape.name = QStringLiteral("M%1").arg(c + 1);
        shape.runners = kRunners / kClasses + (c < kRunners % kClasses ? 1 : 0);
        shape.withStartTimes = true;
        shape.runnerName = QStringLiteral("選手%1-%2").arg(c + 1).arg(QStringLiteral("%1"));
        AddGeneratedClass(shape, random);
    }
    const QString path = dir.filePath(QStringLiteral("live.lap"));
    basConvert::SaveRaceFile(path, 1);
    ResetRace();
    return path;
}

// The commands of the cycle; the output folder is the script's first variable.
QString writeScript(const QTemporaryDir& dir, const QString& race)
{
    const QString path = dir.filePath(QStringLiteral("live.sda"));
    const QString text = QStringLiteral("VERSION,1\r\nOPEN,%1\r\nCHART,%2,live\r\nXCSV,%2\r\n")
                             .arg(race, QStringLiteral("%1%"));
    return CbasGeneral::WriteTextFileAtomic(path, text) ? path : QString();
}

void BM_LiveCycle(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString script = writeScript(dir, writeRace(dir));
    if (script.isEmpty()) {
        state.SkipWithError("could not write the race or the script");
        return;
    }
    int run = 0;
    qint64 pngBytes = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString out = dir.filePath(QStringLiteral("out%1").arg(++run));
        QDir().mkpath(out);
        state.ResumeTiming();
        QProcess app;
        app.start(QStringLiteral(SPLITDUEL_APP),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"), script, out});
        if (!app.waitForFinished(120000) || app.exitCode() != 0) {
            state.SkipWithError("the script did not run to its end");
            return;
        }
        state.PauseTiming();
        pngBytes = 0;
        int images = 0;
        for (const QFileInfo& f : QDir(out).entryInfoList({QStringLiteral("*.png")}, QDir::Files)) {
            pngBytes += f.size();
            ++images;
        }
        state.counters["images"] = images;
        state.ResumeTiming();
    }
    state.counters["png_bytes"] = static_cast<double>(pngBytes);
}
BENCHMARK(BM_LiveCycle)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly(false);

}  // namespace

BENCHMARK_MAIN();
