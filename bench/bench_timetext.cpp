// The per-cell helpers a reader calls on every field of a 3000-line file with 30 legs.
#include "race/racetime.h"
#include "race/textutil.h"

#include <benchmark/benchmark.h>

#include <QStringList>

namespace {

// A typical mix of leg cells: minutes and seconds, hours, bare digits, marks and blanks.
const QStringList& cells()
{
    static const QStringList list = {"12:34", "1:02:03", "5:07", "512",      "75:30", "n/a",
                                     "",      "0:59",    "→",    "12:34(3)", "10:00", "83"};
    return list;
}

QString line30()
{
    QStringList fields = {"M21A", QStringLiteral("山田 太郎"), QStringLiteral("東京ＯＬＫ")};
    for (int i = 0; i < 30; ++i) fields.append(cells()[i % cells().size()]);
    return fields.join(u',');
}

void NormalizeCell(benchmark::State& state)
{
    const QString picture = QStringLiteral("hh:nn:ss");
    qsizetype i = 0;
    for (auto _ : state) {
        QString s = CbasGeneral::NormalizeTimeText(cells()[i++ % cells().size()], true, picture);
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(NormalizeCell);

// One file's worth: 3000 lines x 30 legs, each field taken with GetField, stripped, narrowed
// and normalised.
void LoadFile3000x30(benchmark::State& state)
{
    const QString line = line30();
    const QString comma = QStringLiteral(",");
    const QString picture = QStringLiteral("hh:nn:ss");
    for (auto _ : state) {
        for (int row = 0; row < 3000; ++row) {
            for (int leg = 1; leg <= 30; ++leg) {
                QString cell =
                    CbasGeneral::StripSpaces(CbasGeneral::GetField(line, leg + 3, comma));
                QString s = CbasGeneral::NormalizeTimeText(cell, true, picture);
                benchmark::DoNotOptimize(CbasGeneral::ParseTime(s));
            }
        }
    }
    state.SetLabel("90000 cells per iteration");
}
BENCHMARK(LoadFile3000x30)->Unit(benchmark::kMillisecond);

void LikeCell(benchmark::State& state)
{
    qsizetype i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(CbasGeneral::Like(cells()[i++ % cells().size()], u"##:##"));
}
BENCHMARK(LikeCell);

void NarrowName(benchmark::State& state)
{
    const QString name = QStringLiteral("ﾔﾏﾀﾞ ﾀﾛｳ");
    for (auto _ : state) benchmark::DoNotOptimize(CbasGeneral::ToWide(name));
}
BENCHMARK(NarrowName);

}  // namespace

BENCHMARK_MAIN();
