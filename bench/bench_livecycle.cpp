// A whole live-results cycle through the desktop program without a display, as a cron job runs
// it during a race: OPEN the race, HTML and LEG pages, CHART images and the season file XCSV,
// on a race of 50 classes and 2,750 runners. WholeCycle runs into an empty folder; RepeatCycle
// runs again into a folder that holds the last run's files after one leg of one runner changed,
// as a cron job does every minute of a race. The partial scripts split the time into
// loading (OPEN alone), the pages (OPEN, HTML, LEG), the chart images (OPEN, CHART) and the
// season file (OPEN, XCSV). ToolWholeCycle, ToolRepeatCycle and ToolLoadingOnly run the same
// scripts with "splitduel-cli run", which needs no window library. Besides the wall time each
// run reports the program's processor time (user and system, all threads), the bytes of the PNG
// images it wrote and how many files it wrote (the season file included).
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "race/race.h"
#include "race/textcodec.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <cstdio>
#include <random>

namespace {

// The race file, written once per process.
const QTemporaryDir& workFolder()
{
    static QTemporaryDir dir;
    static bool built = false;
    if (!built) {
        BenchDocument().resetRace();
        BenchRace().RaceInfo.RaceName = QStringLiteral("Live");
        BenchRace().RaceInfo.RaceDate = QDate(2026, 5, 10);
        std::mt19937 random(2026);
        AddLiveRace(random);
        if (basConvert::SaveRaceFile(BenchDocument(), dir.filePath(QStringLiteral("live.lap")),
                                     basConvert::SaveType::Lap) != basConvert::SaveResult::Saved)
            fprintf(stderr, "the race file could not be saved\n");
        built = true;
    }
    return dir;
}

struct RunResult {
    double wallSeconds = -1;
    double cpuSeconds = 0;
    qint64 pngBytes = 0;
    int filesWritten = 0;
};

double childCpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

// The inode and modification time of every file of the folder, by name: a file written again,
// even with the same bytes, gets a new inode or time.
QMap<QString, QString> fileStamps(const QDir& folder)
{
    QMap<QString, QString> stamps;
    for (const QString& name : folder.entryList(QDir::Files)) {
        struct stat status {};
        if (::stat(QFile::encodeName(folder.filePath(name)).constData(), &status) != 0) continue;
        stamps.insert(name, QStringLiteral("%1 %2 %3")
                                .arg(status.st_ino)
                                .arg(status.st_mtim.tv_sec)
                                .arg(status.st_mtim.tv_nsec));
    }
    return stamps;
}

// Which program runs the script.
enum class Runner { Desktop, Tool };

// The program and its arguments for the script writing into the folder. LIVECYCLE_PROGRAM runs
// another build of the desktop program and LIVECYCLE_TOOL another build of the tool, to compare
// them with this one.
std::pair<QString, QStringList> commandLine(Runner runner, const QString& script, const QDir& out)
{
    if (runner == Runner::Tool)
        return {qEnvironmentVariable("LIVECYCLE_TOOL", QStringLiteral(SPLITDUEL_CLI)),
                {QStringLiteral("run"), script, out.path()}};
    return {qEnvironmentVariable("LIVECYCLE_PROGRAM", QStringLiteral(SPLITDUEL_EXE)),
            {QStringLiteral("-platform"), QStringLiteral("offscreen"), script, out.path()}};
}

// Runs the program on a script of these commands over the race file into the folder: the
// seconds it took, its processor time, and the files and image bytes it wrote.
RunResult runScript(const QStringList& commands, const QString& race, const QDir& out,
                    Runner runner = Runner::Desktop)
{
    QTemporaryDir temporary;
    QString text = QStringLiteral("VERSION,1\r\nOPEN,") + race + QStringLiteral("\r\n");
    for (const QString& command : commands) text += command + QStringLiteral(",%1%,live\r\n");
    text += QStringLiteral("EXIT\r\n");
    const QString script = temporary.filePath(QStringLiteral("cycle.sda"));
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
    // Only files of this run count: the folder may hold older ones.
    const QMap<QString, QString> before = fileStamps(out);
    QElapsedTimer timer;
    timer.start();
    const auto [program, arguments] = commandLine(runner, script, out);
    process.start(program, arguments);
    if (!process.waitForFinished(600000) || process.exitCode() != 0) {
        fprintf(stderr, "%s\n", process.readAllStandardError().constData());
        return {};
    }
    RunResult result;
    result.wallSeconds = timer.nsecsElapsed() / 1e9;
    result.cpuSeconds = childCpuSeconds() - cpuBefore;
    const QMap<QString, QString> after = fileStamps(out);
    for (auto file = after.cbegin(); file != after.cend(); ++file) {
        if (before.value(file.key()) == file.value()) continue;
        ++result.filesWritten;
        if (file.key().endsWith(QLatin1String(".png")))
            result.pngBytes += QFileInfo(out.filePath(file.key())).size();
    }
    return result;
}

// LIVECYCLE_OUT names a folder that keeps what the last run wrote, to look at or compare.
QString keptFolder()
{
    const QString kept = qEnvironmentVariable("LIVECYCLE_OUT");
    if (!kept.isEmpty()) QDir().mkpath(kept);
    return kept;
}

void report(benchmark::State& state, const RunResult& run)
{
    state.SetIterationTime(run.wallSeconds);
    state.counters["cpu_s"] = run.cpuSeconds;
    state.counters["png_bytes"] = static_cast<double>(run.pngBytes);
    state.counters["files"] = run.filesWritten;
}

// Every run into an empty folder (or into the kept one as it is).
void Cycle(benchmark::State& state, const QStringList& commands, Runner runner = Runner::Desktop)
{
    for (auto _ : state) {
        QTemporaryDir temporary;
        const QString kept = keptFolder();
        const RunResult run = runScript(commands, workFolder().filePath(QStringLiteral("live.lap")),
                                        QDir(kept.isEmpty() ? temporary.path() : kept), runner);
        if (run.wallSeconds < 0) {
            state.SkipWithError("the script did not run through");
            return;
        }
        report(state, run);
    }
}

// The first leg of the first runner of class M8 in the race file set to 1:mm:ss of the turn, so
// that every turn changes one runner of one class.
bool changeOneRunner(const QString& race, int turn)
{
    QFile file(race);
    if (!file.open(QIODevice::ReadWrite)) return false;
    QList<QByteArray> lines = file.readAll().split('\n');
    for (QByteArray& line : lines) {
        if (!line.startsWith("M8,")) continue;
        QList<QByteArray> fields = line.split(',');
        fields[5] = QStringLiteral("00:1%1:%2")
                        .arg(turn % 10)
                        .arg(turn % 60, 2, 10, QLatin1Char('0'))
                        .toLatin1();
        line = fields.join(',');
        break;
    }
    file.resize(0);
    file.seek(0);
    return file.write(lines.join('\n')) > 0;
}

// The commands of a whole live cycle.
const QStringList kWholeCycle{QStringLiteral("HTML"), QStringLiteral("LEG"),
                              QStringLiteral("CHART"), QStringLiteral("XCSV")};

void Repeat(benchmark::State& state, Runner runner)
{
    const QStringList& commands = kWholeCycle;
    QTemporaryDir temporary;
    const QString race = temporary.filePath(QStringLiteral("live.lap"));
    QFile::copy(workFolder().filePath(QStringLiteral("live.lap")), race);
    const QString kept = keptFolder();
    const QDir out(kept.isEmpty() ? temporary.filePath(QStringLiteral("web")) : kept);
    QDir().mkpath(out.path());
    // The folder as a cron job finds it: written by the run before (twice, so that the index
    // links the images).
    for (int turn = 0; turn < 2; ++turn) runScript(commands, race, out, runner);
    int turn = 0;
    for (auto _ : state) {
        const bool changed = changeOneRunner(race, ++turn);
        const RunResult run = changed ? runScript(commands, race, out, runner) : RunResult();
        if (run.wallSeconds < 0) {
            state.SkipWithError("the script did not run through");
            return;
        }
        report(state, run);
    }
}

void RepeatCycle(benchmark::State& state)
{
    Repeat(state, Runner::Desktop);
}
void ToolRepeatCycle(benchmark::State& state)
{
    Repeat(state, Runner::Tool);
}
void WholeCycle(benchmark::State& state)
{
    Cycle(state, kWholeCycle);
}
void ToolWholeCycle(benchmark::State& state)
{
    Cycle(state, kWholeCycle, Runner::Tool);
}
void LoadingOnly(benchmark::State& state)
{
    Cycle(state, {});
}
void ToolLoadingOnly(benchmark::State& state)
{
    Cycle(state, {}, Runner::Tool);
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
CYCLE_BENCHMARK(RepeatCycle);
CYCLE_BENCHMARK(ToolWholeCycle);
CYCLE_BENCHMARK(ToolRepeatCycle);
CYCLE_BENCHMARK(ToolLoadingOnly);
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
