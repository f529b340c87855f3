#include "analysis/ui/leggrid.h"

#include "analysis/ui/analyzegrid.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/shortnames.h"
#include "race/sortdata.h"
#include "race/textutil.h"

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Percent;
using CbasGeneral::FitWidth;
using CbasGeneral::FormatNumber;
using CbasGeneral::FormatTime;

namespace LegGrid {

namespace {

constexpr int ReferenceTwips = 1200;  // the reference columns for ranks of up to three digits
const QString MinutesSeconds = QStringLiteral("n:ss");
const QString HoursMinutesSeconds = QStringLiteral("h:nn:ss");

void SetHeaders(CellGrid& grid)
{
    static const int widths[ColumnCount] = {0,   900,  900,  720,  300,  1200, 1200,
                                            300, 1350, 1350, 1350, 1350, 1350, 1350};
    static const char* const headers[ColumnCount] = {
        "", "レッグ長", "上位平均", "難易度", "",     "",     "",
        "", "１位",     "２位",     "３位",   "４位", "５位", "６位"};
    for (int c = 0; c < ColumnCount; ++c) {
        grid.setColWidth(c, widths[c]);
        grid.setText(0, c, QString::fromUtf8(headers[c]));
        grid.setCellAlignment(0, c, Qt::AlignHCenter);
    }
    grid.setColAlignment(0, Qt::AlignHCenter);
    grid.setRowHeight(0, 315);
}

void SetLeader(CellGrid& grid, int row, int col, int r, const QString& text)
{
    grid.setText(row, col, text);
    grid.setForeColor(row, col, RunnerForeColor(r));
    grid.setBackColor(row, col, RunnerBackColor(r));
}

// The six fastest normal times of every leg; runners without a valid total take part.
void FillLegLeaders(CellGrid& grid, const AnalysisWorkspace& ws, const QStringList& labels)
{
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        SortData order;
        for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
            if (ws.LapState(r, l) == basAnalyze::StateNormal)
                order.Add(ws.LapTime(r, l), QString::number(r));
        }
        order.Calc();
        for (int k = 1; k <= std::min(LeaderCount, order.Count()); ++k) {
            const int r = order.Key(k).toInt();
            SetLeader(grid, l, FirstLeaderColumn + k - 1, r,
                      LegLeaderText(labels[r - 1], ws.LapTime(r, l)));
        }
    }
}

void FillTotalLeaders(CellGrid& grid, const AnalysisWorkspace& ws, const QStringList& labels)
{
    const int row = ws.AnaLegCount + 1;
    SortData order;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        if (ws.TotalTime(r) > 0) order.Add(ws.TotalTime(r), QString::number(r));
    }
    order.Calc();
    for (int k = 1; k <= std::min(LeaderCount, order.Count()); ++k) {
        const int r = order.Key(k).toInt();
        SetLeader(grid, row, FirstLeaderColumn + k - 1, r,
                  TotalLeaderText(labels[r - 1], ws.TotalTime(r)));
    }
}

// A time or rank right-aligned in the width; a total of ten hours or more, or a rank above 999,
// is one column wider and keeps all its digits rather than losing its last one.
QString RightAlignedWhole(const QString& text, int width)
{
    return text.size() >= width ? text : FitWidth(text, width, true, false);
}

QString LabelColumns(const QString& label)
{
    return FitWidth(label, 6, false, true);
}

QString RankPart(int rank)
{
    return rank > 0 ? RightAlignedWhole(QString::number(rank), 3) + QStringLiteral(") ")
                    : QStringLiteral("  -) ");
}

}  // namespace

std::uint32_t RunnerForeColor(int r)
{
    switch (r) {
        case 1:
            return 0x000080;
        case 2:
            return 0x800000;
        case 3:
            return 0x008000;
        default:
            return 0x404040;
    }
}

std::uint32_t RunnerBackColor(int r)
{
    switch (r) {
        case 1:
            return 0xDDDDFF;
        case 2:
            return 0xFFDDDD;
        case 3:
            return 0xDDFFDD;
        default:
            return 0xFFFFFF;
    }
}

QStringList LeaderLabels(const AnalysisWorkspace& ws)
{
    QStringList names;
    names.reserve(ws.AnaRunnerCount);
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) names << ws.RunnerName(r);
    return CbasGeneral::DistinctShortNames(names, 6, 6);
}

QString LegLeaderText(const QString& label, double lapTime)
{
    return LabelColumns(label) + QStringLiteral("   ") +
           FitWidth(FormatTime(lapTime, MinutesSeconds), 5, true, false);
}

QString TotalLeaderText(const QString& label, double totalTime)
{
    return LabelColumns(label) + QLatin1Char(' ') +
           RightAlignedWhole(FormatTime(totalTime, HoursMinutesSeconds), 7);
}

QString ReferenceText(const AnalysisWorkspace& ws, int r, int l)
{
    if (l > ws.AnaLegCount) {
        if (ws.TotalTime(r) == 0) return QStringLiteral("     n/a   ");
        return RightAlignedWhole(QString::number(ws.TotalRank(r)), 3) + QStringLiteral(") ") +
               RightAlignedWhole(FormatTime(ws.TotalTime(r), HoursMinutesSeconds), 7);
    }
    const int state = ws.LapState(r, l);
    if (state == basAnalyze::StateLater) return QStringLiteral("      ↓   ");
    if (state == basAnalyze::StateExcluded) return QStringLiteral("     n/a   ");
    return RankPart(ws.LapRank(r, l)) + QStringLiteral("  ") +
           FitWidth(FormatTime(ws.LapTime(r, l), MinutesSeconds), 5, true, false);
}

void Fill(CellGrid& grid, const AnalysisWorkspace& ws,
          const basAnalyze::LegDifficultyTable& difficulty)
{
    const int legs = ws.AnaLegCount;
    grid.reset(legs + 2, ColumnCount);
    SetHeaders(grid);
    // The measures read best right-aligned; the runners' texts have fixed widths and are centred.
    for (int c = 1; c <= 3; ++c) grid.setColAlignment(c, Qt::AlignRight);
    for (int c = ReferenceColumn; c < ColumnCount; ++c) grid.setColAlignment(c, Qt::AlignHCenter);
    // A rank of four digits or more makes the reference cells one column wider per digit.
    const int extraDigits = std::max(0, AnalyzeGrid::RankWidth(ws.AnaRunnerCount) - 3);
    for (int i = 0; i < 2; ++i)
        grid.setColWidth(ReferenceColumn + i, ReferenceTwips + 90 * extraDigits);
    for (int l = 1; l <= legs; ++l) {
        grid.setText(l, 0, CbasGeneral::LegLabel(ws.AnaControlCount, true, l));
        grid.setText(
            l, 1,
            FormatNumber(Percent(ws.LegWeight(l)), QStringLiteral("##0.0")) + QLatin1Char('%'));
        grid.setText(l, 2, FormatTime(ws.TopAverage(l), MinutesSeconds));
        grid.setText(l, 3, FormatNumber(Percent(difficulty.Difficulty(l)), QStringLiteral("##0")));
    }
    const int total = legs + 1;
    grid.setText(total, 0, QStringLiteral("合計"));
    grid.setText(total, 1, QStringLiteral("100.0%"));
    grid.setText(total, 2, FormatTime(ws.TopTotal, HoursMinutesSeconds));
    grid.setText(total, 3, FormatNumber(100, QStringLiteral("##0")));
    const QStringList labels = LeaderLabels(ws);
    FillLegLeaders(grid, ws, labels);
    FillTotalLeaders(grid, ws, labels);
}

void FillReference(CellGrid& grid, const AnalysisWorkspace& ws, int index, int r)
{
    const int col = ReferenceColumn + index;
    for (int l = 1; l <= ws.AnaLegCount + 1; ++l) grid.setText(l, col, ReferenceText(ws, r, l));
}

}  // namespace LegGrid
