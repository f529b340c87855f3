// The split sheets of a class of 200 runners and 30 legs written as a PDF, for the lap-time
// sheet and the analysis sheet (two lines per leg).
#include "benchrace.h"
#include "printing/pdfdevice.h"
#include "printing/splitsheets.h"
#include "race/race.h"

#include <QGuiApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <random>

namespace {

void buildClass()
{
    BenchDocument().resetRace();
    std::mt19937 random(11);
    GeneratedClass shape;
    shape.name = QStringLiteral("M21E");
    shape.runnerName = QStringLiteral("選手%1 太郎");
    AddGeneratedClass(shape, random);
}

void BM_PrintSplitSheetsPdf(benchmark::State& state)
{
    buildClass();
    QTemporaryDir dir;
    SplitSheetJob job;
    job.DataType = CbasPrinter::PrintDataTypeAt(static_cast<int>(state.range(0))).value();
    job.Classes = {QStringLiteral("M21E")};
    job.Settings = [](const QString&) { return QString(); };
    for (auto _ : state) {
        PdfPrintDevice pdf(dir.filePath(QStringLiteral("sheets.pdf")));
        if (!CbasPrinter::PrintSplitSheets(BenchRace(), job, pdf))
            state.SkipWithError("PDF not written");
    }
}
BENCHMARK(BM_PrintSplitSheetsPdf)->Arg(0)->Arg(3)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
