// The race viewer in headless Chromium, median of five:
// - the race of a live event (50 classes, 2,750 runners): the time to build the page, its size
//   (page_bytes) and how soon its first class is painted (first_render_ms, the page's own mark);
// - one class of 600 runners and 21 legs: the first class painted, a sort by a leg, the table
//   shown again after the race graph, and the search box cleared (each in ms until the next
//   frame is painted, measured in the page);
// - a race of one small class: the first class painted, what any page costs;
// - the page of an OE export (VIEWER_OE_FILE, or the real file of the shared test data when it
//   is there): its size beside the size of the file it was read from.
// Without a browser the browser benchmarks are skipped.
#include "../tests/reports/browsersession.h"
#include "../tests/reports/headlessbrowser.h"
#include "benchrace.h"
#include "lapfiles/racefile.h"
#include "reports/viewerpage.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <functional>
#include <random>
#include <string>

namespace {

// Loads the race of a live event and names its classes.
QStringList liveRace()
{
    BenchDocument().resetRace();
    BenchRace().RaceInfo.RaceName = QStringLiteral("Live");
    std::mt19937 random(2026);
    AddLiveRace(random);
    return BenchRace().ClassList.names();
}

// A page written once into a folder kept for the whole run, or into VIEWER_BENCH_OUT when that
// names a folder (to look at the pages afterwards).
QString pageOf(const QString& name, const std::function<QStringList()>& race)
{
    static QTemporaryDir dir;
    const QString out = qEnvironmentVariable("VIEWER_BENCH_OUT");
    const QString path = out.isEmpty() ? dir.filePath(name) : QDir(out).filePath(name);
    if (!QFileInfo::exists(path)) basExport::WriteViewerPage(BenchRace(), path, race());
    return path;
}

QString livePage()
{
    return pageOf(QStringLiteral("live_viewer.html"), liveRace);
}

QString bigClassPage()
{
    return pageOf(QStringLiteral("big_viewer.html"), [] {
        BenchDocument().resetRace();
        BenchRace().RaceInfo.RaceName = QStringLiteral("Big");
        std::mt19937 random(600);
        GeneratedClass shape;
        shape.name = QStringLiteral("M21E");
        shape.runners = 600;
        shape.legs = 21;
        shape.withStartTimes = true;
        AddGeneratedClass(shape, random);
        return BenchRace().ClassList.names();
    });
}

QString browserPath()
{
    return headless::FindBrowser();
}

// The time from a script's action until the frame after it is painted, measured in the page.
QString timed(const QString& action)
{
    return QStringLiteral(
               "new Promise((done) => { const t0 = performance.now(); %1; "
               "requestAnimationFrame(() => setTimeout(() => done(performance.now() - t0), 0)); "
               "})")
        .arg(action);
}

const char* const Ready = "document.documentElement.dataset.ready";

// Runs one timed action per iteration in one browser; prepare puts the page where the action
// starts from (it is not timed).
void RunInPage(benchmark::State& state, const QString& page, const QString& prepare,
               const QString& action)
{
    QTemporaryDir profile;
    headless::BrowserSession browser(browserPath(), profile.path());
    if (browserPath().isEmpty() || !browser.isOpen()) {
        state.SkipWithError("no chromium to run");
        return;
    }
    if (!browser.open("file://" + page, Ready, 120000)) {
        state.SkipWithError("the page did not show its first class");
        return;
    }
    for (auto _ : state) {
        if (!prepare.isEmpty()) browser.evaluate(timed(prepare), 60000);
        const QJsonValue ms = browser.evaluate(timed(action), 60000);
        if (!ms.isDouble()) {
            const std::string message = "the action failed: " + browser.error().toStdString();
            state.SkipWithError(message.c_str());
            return;
        }
        state.SetIterationTime(ms.toDouble() / 1000.0);
        state.counters["ms"] = ms.toDouble();
    }
}

// A small page of Japanese text and a table, opened first so that the browser has started
// what every page needs (its page process, the fonts) as a person's running browser has.
QString warmUpPage()
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("warm_up.html"));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(
            "<!DOCTYPE html><html lang=\"ja\"><meta charset=\"utf-8\"><title>-</title>"
            "<p>準備 1:23 \xe2\x96\xbc<table><tr><td>選手</td><td>4:05</td></tr></table>");
    return path;
}

// The page's own mark of its first class painted, in a new browser each time that has shown
// another page twice before (the first page of a new browser pays for starting it).
void RunFirstRender(benchmark::State& state, const QString& page)
{
    if (browserPath().isEmpty()) {
        state.SkipWithError("no chromium installed");
        return;
    }
    const QString warm = warmUpPage();
    for (auto _ : state) {
        QTemporaryDir profile;
        headless::BrowserSession browser(browserPath(), profile.path());
        const auto warmUp = [&] {
            return browser.open("file://" + warm, "document.readyState == 'complete'");
        };
        if (!browser.isOpen() || !warmUp() || !warmUp() ||
            !browser.open("file://" + page, Ready, 120000)) {
            state.SkipWithError("the page did not show its first class");
            return;
        }
        const double ms = browser.evaluate(QString::fromLatin1(Ready)).toString().toDouble();
        state.SetIterationTime(ms / 1000.0);
        state.counters["first_render_ms"] = ms;
    }
}

void BuildPage(benchmark::State& state)
{
    const QStringList names = liveRace();
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray page = basExport::ViewerPage(BenchRace(), names);
        bytes = page.size();
        benchmark::DoNotOptimize(page.constData());
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
}

void FirstRender(benchmark::State& state)
{
    RunFirstRender(state, livePage());
}

// The same for a race of one class of five runners: what any page costs the browser on this
// machine at the time, beside which the other figures are read.
void SmallRaceFirstRender(benchmark::State& state)
{
    RunFirstRender(state, pageOf(QStringLiteral("small_viewer.html"), [] {
                       BenchDocument().resetRace();
                       std::mt19937 random(5);
                       GeneratedClass shape;
                       shape.name = QStringLiteral("M21");
                       shape.runners = 5;
                       shape.legs = 10;
                       AddGeneratedClass(shape, random);
                       return BenchRace().ClassList.names();
                   }));
}

void BigClassFirstRender(benchmark::State& state)
{
    RunFirstRender(state, bigClassPage());
}

// Sorted by leg 7 first (not timed), so that every sort by leg 8 changes the order.
void BigClassSortByLeg(benchmark::State& state)
{
    const QString click =
        QStringLiteral("document.querySelector('th button[data-sort=\"%1\"]').click()");
    RunInPage(state, bigClassPage(), click.arg(7), click.arg(8));
}

void BigClassGraphToTable(benchmark::State& state)
{
    const QString click = QStringLiteral("document.querySelector('[data-view=\"%1\"]').click()");
    RunInPage(state, bigClassPage(), click.arg(QStringLiteral("graph")),
              click.arg(QStringLiteral("table")));
}

void BigClassClearSearch(benchmark::State& state)
{
    const QString type = QStringLiteral(
        "{ const box = document.querySelector('input[type=search]'); box.value = '%1'; "
        "box.dispatchEvent(new Event('input')); }");
    RunInPage(state, bigClassPage(), type.arg(QStringLiteral("Runner 12")), type.arg(QString()));
}

// The page of an OE export beside the file it was read from.
void OeExportPage(benchmark::State& state)
{
    QString source = qEnvironmentVariable("VIEWER_OE_FILE");
    if (source.isEmpty())
        source = QStringLiteral(SPLITDUEL_REAL_DATA "/LukeWoodward-SplitsBrowser/eventdata6478");
    if (!QFileInfo::exists(source)) {
        state.SkipWithError("no OE export to read");
        return;
    }
    BenchDocument().resetRace();
    basConvert::LoadRaceFile(BenchDocument(), source);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const QByteArray page = basExport::ViewerPage(BenchRace(), BenchRace().ClassList.names());
        bytes = page.size();
        benchmark::DoNotOptimize(page.constData());
    }
    state.counters["page_bytes"] = static_cast<double>(bytes);
    state.counters["source_bytes"] = static_cast<double>(QFileInfo(source).size());
}

void BrowserRuns(benchmark::internal::Benchmark* b)
{
    b->UseManualTime()->Iterations(1)->Repetitions(5)->ReportAggregatesOnly()->Unit(
        benchmark::kMillisecond);
}

BENCHMARK(BuildPage)->Unit(benchmark::kMillisecond);
BENCHMARK(SmallRaceFirstRender)->Apply(BrowserRuns);
BENCHMARK(FirstRender)->Apply(BrowserRuns);
BENCHMARK(BigClassFirstRender)->Apply(BrowserRuns);
BENCHMARK(BigClassSortByLeg)->Apply(BrowserRuns);
BENCHMARK(BigClassGraphToTable)->Apply(BrowserRuns);
BENCHMARK(BigClassClearSearch)->Apply(BrowserRuns);
BENCHMARK(OeExportPage)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
