// The analysis windows on a class of 200 runners and 30 legs: filling the class analysis view,
// one lap chart drawn at screen size, and one chart image written as PNG.
#include "analysis/analyze.h"
#include "analysis/ui/cellgridmodel.h"
#include "analysis/ui/frmanalyzer.h"
#include "benchrace.h"
#include "chart/chartimage.h"
#include "chart/drawchart.h"
#include "config/settings.h"
#include "config/ui/fonts.h"
#include "race/race.h"

#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

void buildClass()
{
    BenchDocument().resetRace();
    std::mt19937 random(7);
    GeneratedClass shape;
    shape.name = QStringLiteral("M21E");
    shape.longestLegSeconds = 400;
    shape.withStartTimes = true;
    shape.runnerName = QStringLiteral("選手%1 太郎");
    AddGeneratedClass(shape, random);
}

basChart::ChartRequest chartRequest()
{
    basChart::ChartRequest request;
    request.chosen = {1, 2, 3};
    request.clicked = {10, 20, 30};
    request.font = GridFont();
    request.font.setPixelSize(12);
    return request;
}

// Opening the class analysis view: analysis of the class and every cell of the grid.
void BM_FillAnalyzer(benchmark::State& state)
{
    buildClass();
    frmAnalyzer window(BenchDocument());
    for (auto _ : state) {
        window.cmbClassList_Click();
        benchmark::DoNotOptimize(window.AnalyzeModel()->rowCount());
    }
}
BENCHMARK(BM_FillAnalyzer)->Unit(benchmark::kMillisecond);

void BM_DrawChartScreen(benchmark::State& state)
{
    buildClass();
    const basAnalyze::AnalysisWorkspace ws =
        basAnalyze::AnalyzeClass(BenchRace(), QStringLiteral("M21E"));
    const basChart::ChartRequest request = chartRequest();
    QImage image(1280, 720, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        basChart::DrawChart(painter, image.size(), ws, request);
    }
}
BENCHMARK(BM_DrawChartScreen)->Unit(benchmark::kMillisecond);

void BM_SaveChartPng(benchmark::State& state)
{
    buildClass();
    const basAnalyze::AnalysisWorkspace ws =
        basAnalyze::AnalyzeClass(BenchRace(), QStringLiteral("M21E"));
    const basChart::ChartRequest request = chartRequest();
    QTemporaryDir dir;
    for (auto _ : state) {
        benchmark::DoNotOptimize(basChart::SaveChartPng(dir.filePath("chart.png"), ws, request));
    }
}
BENCHMARK(BM_SaveChartPng)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    InstallFontSubstitutions();
    QTemporaryDir settings;
    basSettings::ResetSettings(settings.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    basSettings::ResetSettings(QString());
    return 0;
}
