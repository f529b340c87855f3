// A whole live-results cycle through the desktop program without a display, as a cron job runs
// it during a race: OPEN the race, HTML and LEG pages, CHART images and the season file XCSV,
// on a race of 50 classes and 2,750 runners. The partial scripts split the time into
// loading (OPEN alone), the pages (OPEN, HTML, LEG), the chart images (OPEN, CHART) and the
// season file (OPEN, XCSV). Besides the wall time each run reports the program's processor time
// (user and system, all threads) and the bytes of the PNG images it wrote.
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/race.h"
#include "race/textcodec.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <QDirIterator>

#include <sys/resource.h>

#include <cstdio>
#include <random>

namespace {

// The race file, written once per process.
const QTemporaryDir& workFolder()
{
    static QTemporaryDir dir;
    static bool built = false;
    if (!built) {
        basDefinition::ResetRace();
        basDefinition::RaceInfo.RaceName = QStringLiteral("Live");
        basDefinition::RaceInfo.RaceDate = QDate(2026, 5, 10);
        std::mt19937 random(2026);
        AddLiveRace(random);
        basConvert::SaveRaceFile(dir.filePath(QStringLiteral("live.lap")), 1);
        if (basDefinition::FileResult != 0) fprintf(stderr, "the race file could not be saved\n");
        built = true;
    }
    return dir;
}

struct RunResult {
    double wallSeconds = -1;
    double cpuSeconds = 0;
    qint64 pngBytes = 0;
};

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// Runs the program on a script of these commands: the seconds it took, its processor time and
// the bytes of the images it wrote.
RunResult runScript(const QStringList& commands)
{
    const QTemporaryDir& dir = workFolder();
    QTemporaryDir temporary;
    // LIVECYCLE_OUT names a folder that keeps what the last run wrote, to look at or compare.
    const QString kept = qEnvironmentVariable("LIVECYCLE_OUT");
    if (!kept.isEmpty()) QDir().mkpath(kept);
    const QDir out(kept.isEmpty() ? temporary.path() : kept);
    QString text = QStringLiteral("VERSION,1\r\nOPEN,") + dir.filePath(QStringLiteral("live.lap")) +
                   QStringLiteral("\r\n");
    for (const QString& command : commands) text += command + QStringLiteral(",%1%,live\r\n");
    text += QStringLiteral("EXIT\r\n");
    const QString script = out.filePath(QStringLiteral("cycle.sda"));
    QFile file(script);
    if (!file.open(QIODevice::WriteOnly)) return {};
    file.write(TextCodec::toCp932(text));
    file.close();

    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), temporary.filePath(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_DATA_HOME"), temporary.filePath(QStringLiteral("data")));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    process.setProcessEnvironment(env);
    const double cpuBefore = childCpuSeconds();
    // Only images of this run count: a kept folder may hold older ones.
    const QDateTime started = QDateTime::currentDateTime().addSecs(-1);
    QElapsedTimer timer;
    timer.start();
    process.start(QStringLiteral(SPLITDUEL_EXE),
                  {QStringLiteral("-platform"), QStringLiteral("offscreen"), script, out.path()});
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        fprintf(stderr, "%s\n", process.readAllStandardError().constData());
        return {};
    }
    RunResult result;
    result.wallSeconds = timer.nsecsElapsed() / 1e9;
    result.cpuSeconds = childCpuSeconds() - cpuBefore;
    QDirIterator images(out.path(), {QStringLiteral("*.png")}, QDir::Files,
                        QDirIterator::Subdirectories);
    while (images.hasNext()) {
        const QFileInfo image = images.nextFileInfo();
        if (image.lastModified() >= started) result.pngBytes += image.size();
    }
    return result;
}

void Cycle(benchmark::State& state, const QStringList& commands)
{
    for (auto _ : state) {
        const RunResult run = runScript(commands);
        if (run.wallSeconds < 0) {
            state.SkipWithError("the script did not run through");
            return;
        }
        state.SetIterationTime(run.wallSeconds);
        state.counters["cpu_s"] = run.cpuSeconds;
        state.counters["png_bytes"] = static_cast<double>(run.pngBytes);
    }
}

void WholeCycle(benchmark::State& state)
{
    Cycle(state, {QStringLiteral("HTML"), QStringLiteral("LEG"), QStringLiteral("CHART"),
                  QStringLiteral("XCSV")});
}
void LoadingOnly(benchmark::State& state)
{
    Cycle(state, {});
}
void LoadingAndPages(benchmark::State& state)
{
    Cycle(state, {QStringLiteral("HTML"), QStringLiteral("LEG")});
}
void LoadingAndCharts(benchmark::State& state)
{
    Cycle(state, {QStringLiteral("CHART")});
}
void LoadingAndSeasonFile(benchmark::State& state)
{
    Cycle(state, {QStringLiteral("XCSV")});
}

#define CYCLE_BENCHMARK(name)                                                                      \
    BENCHMARK(name)->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly()->Unit( \
        benchmark::kMillisecond)
CYCLE_BENCHMARK(WholeCycle);
CYCLE_BENCHMARK(LoadingOnly);
CYCLE_BENCHMARK(LoadingAndPages);
CYCLE_BENCHMARK(LoadingAndCharts);
CYCLE_BENCHMARK(LoadingAndSeasonFile);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
