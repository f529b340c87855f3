// The HTML pages of one large class (200 runners on 30 legs, Japanese names): the full results
// page, the leg-difficulty page, and the index page of a race of 15 such classes.
#include "analysis/analyze.h"
#include "benchrace.h"
#include "race/race.h"
#include "reports/htmlpages.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

void buildRace(int classes)
{
    BenchDocument().resetRace();
    std::mt19937 random(2024);
    for (int c = 1; c <= classes; ++c) {
        GeneratedClass shape;
        shape.name = QStringLiteral("Class%1").arg(c);
        shape.runnerName = QStringLiteral("山田 太郎%1");
        AddGeneratedClass(shape, random);
    }
}

void ResultsPageLevel2(benchmark::State& state)
{
    buildRace(1);
    const basAnalyze::AnalysisWorkspace ws =
        basAnalyze::AnalyzeClass(BenchRace(), QStringLiteral("Class1"));
    for (auto _ : state) {
        basExport::HtmlPage page;
        basExport::WriteResultsPage(page, BenchRace().RaceInfo, ws,
                                    basExport::OutputDataType::Analysis, false,
                                    static_cast<int>(state.range(0)));
        benchmark::DoNotOptimize(page.size());
    }
}
BENCHMARK(ResultsPageLevel2)->Arg(0)->Arg(10)->Unit(benchmark::kMillisecond);

void LegPage(benchmark::State& state)
{
    buildRace(1);
    const basAnalyze::AnalysisWorkspace ws =
        basAnalyze::AnalyzeClass(BenchRace(), QStringLiteral("Class1"));
    for (auto _ : state) {
        basExport::HtmlPage page;
        basExport::WriteLegPage(page, ws);
        benchmark::DoNotOptimize(page.size());
    }
}
BENCHMARK(LegPage)->Unit(benchmark::kMillisecond);

void IndexPage(benchmark::State& state)
{
    buildRace(15);
    QTemporaryDir folder;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            basExport::WriteIndexPage(BenchRace(), folder.filePath("p_*.htm")));
}
BENCHMARK(IndexPage)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
