// The race viewer of a live event's race (50 classes, 2,750 runners): the time to build the
// page, its size in bytes (page_bytes), and how long headless Chromium takes from opening the
// file until the first class is shown (first_render_ms, the page's own mark), median of five.
// Without a browser the render benchmark is skipped.
#include "benchrace.h"
#include "race/pathutil.h"
#include "reports/viewerpage.h"

#include <QCoreApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

const QStringList& liveRace()
{
    static const QStringList names = [] {
        basDefinition::ResetRace();
        basDefinition::RaceInfo.RaceName = QStringLiteral("Live");
        std::mt19937 random(2026);
        AddLiveRace(random);
        return basDefinition::ClassList.names();
    }();
    return names;
}

void BuildPage(benchmark::State& state)
{
    const QStringList& names = liveRace();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray page = basExport::ViewerPage(names);
        bytes = page.size();
        benchmark::DoNotOptimize(page.constData());
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
}

// The page's mark of its first class shown: milliseconds since the browser began to load it.
double firstRenderMilliseconds(const QString& browser, const QString& page, const QString& profile)
{
    QProcess process;
    process.start(
        browser, {"--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
                  "--disable-background-networking", "--disable-component-update", "--disable-sync",
                  "--user-data-dir=" + profile, "--dump-dom", "file://" + page});
    if (!process.waitForFinished(120000)) return -1;
    static const QRegularExpression mark(QStringLiteral("data-ready=\"([0-9]+)\""));
    const QRegularExpressionMatch m =
        mark.match(QString::fromUtf8(process.readAllStandardOutput()));
    return m.hasMatch() ? m.captured(1).toDouble() : -1;
}

void FirstRender(benchmark::State& state)
{
    const QString browser = QStandardPaths::findExecutable(QStringLiteral("chromium"));
    if (browser.isEmpty()) {
        state.SkipWithError("no chromium installed");
        return;
    }
    QTemporaryDir dir;
    const QString page = dir.filePath(QStringLiteral("live_viewer.html"));
    if (!basExport::WriteViewerPage(page, liveRace())) {
        state.SkipWithError("the page could not be written");
        return;
    }
    int run = 0;
    for (auto _ : state) {
        const QString profile = dir.filePath(QStringLiteral("profile%1").arg(++run));
        const double ms = firstRenderMilliseconds(browser, page, profile);
        if (ms < 0) {
            state.SkipWithError("the page did not show its first class");
            return;
        }
        state.SetIterationTime(ms / 1000.0);
        state.counters["first_render_ms"] = ms;
    }
}

BENCHMARK(BuildPage)->Unit(benchmark::kMillisecond);
BENCHMARK(FirstRender)
    ->UseManualTime()
    ->Iterations(1)
    ->Repetitions(5)
    ->ReportAggregatesOnly()
    ->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
