#include "analysis/ui/analyzegrid.h"

#include "config/settings.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Percent;
using CbasGeneral::FitWidth;
using CbasGeneral::FormatLapTime;
using CbasGeneral::FormatNumber;

namespace AnalyzeGrid {

namespace {

// Single precision shows about seven digits; more decimal places would show only noise.
constexpr int MaxCruiseDecimals = 7;

const QString NoTime = QStringLiteral("    n/a    ");

QString RightAligned(const QString& text, int width)
{
    return FitWidth(text, width, true, false);
}

// A number right-aligned in the width; a wider number keeps all its digits, since cutting it
// to the width would show a value ten or more times too small.
QString NumberRightAligned(const QString& text, int width)
{
    return text.size() >= width ? text : RightAligned(text, width);
}

// The status of a run without a valid total, centred where its total would stand.
QString StatusCell(RunStatus status)
{
    const QString text = RunStatusText(status);
    const int pad = (CbasGeneral::AnsiLength(NoTime) - CbasGeneral::AnsiLength(text)) / 2;
    return QString(std::max(pad, 0), QLatin1Char(' ')) + text;
}

// A text with a rank: ranks 1 to 3 are coloured.
void SetRanked(CellGrid& grid, int row, int col, const QString& text, int rank)
{
    grid.setText(row, col, text);
    if (rank >= 1 && rank <= 3) grid.setBackColor(row, col, RankColor(rank));
}

void SetLabels(CellGrid& grid, const SectionRows& s, int controls, int legs)
{
    const QString total = QStringLiteral("Total");
    grid.setText(s.lapTime, 0, QStringLiteral("【 ラップタイム 】"));
    grid.setText(s.sumTime, 0, QStringLiteral("【  積算タイム  】"));
    grid.setText(s.cruiseSpeed, 0, QStringLiteral("【   巡航速度   】"));
    grid.setText(s.missRate, 0, QStringLiteral("【    ミス率    】"));
    grid.setText(s.relative, 0, QStringLiteral("【上位との相対値】"));
    grid.setText(s.missTime, 0, QStringLiteral("【  ミスタイム  】"));
    grid.setText(s.noMissTime, 0, QStringLiteral("【ミスなしタイム】"));
    for (int l = 1; l <= legs; ++l) {
        const QString fromTo = CbasGeneral::LegLabel(controls, true, l);
        grid.setText(s.lapTime + l, 0, fromTo);
        grid.setText(s.sumTime + l, 0, CbasGeneral::LegLabel(controls, false, l));
        grid.setText(s.relative + l, 0, fromTo);
        grid.setText(s.missTime + l, 0, fromTo);
    }
    grid.setText(s.lapTime + legs + 1, 0, total);
    grid.setText(s.relative + legs + 1, 0, total);
    grid.setText(s.missTime + legs + 1, 0, total);
}

// Names and clubs; true when at least one runner has a club.
bool SetNames(CellGrid& grid, const clsClassData& cls, int runners)
{
    bool clubs = false;
    for (int r = 1; r <= runners; ++r) {
        const clsClassDataSub& runner = cls.Item(r);
        const QString club = CbasGeneral::CompactName(runner.Shozoku);
        grid.setText(0, r, CbasGeneral::CompactName(runner.Namae));
        grid.setText(1, r, club);
        grid.setCellAlignment(0, r, Qt::AlignLeft);
        grid.setCellAlignment(1, r, Qt::AlignLeft);
        clubs = clubs || !club.isEmpty();
    }
    return clubs;
}

void FillLapTimes(CellGrid& grid, const AnalysisWorkspace& ws, int row, int r, int w)
{
    const int legs = ws.AnaLegCount;
    for (int l = 1; l <= legs; ++l) {
        const int state = ws.LapState(r, l);
        if (state == basAnalyze::StateLater) {
            grid.setText(row + l, r, QStringLiteral("     ↓    "));
        } else if (state == basAnalyze::StateExcluded) {
            grid.setText(row + l, r, NoTime);
        } else {
            const int rank = ws.LapRank(r, l);
            SetRanked(grid, row + l, r, FormatLapTime(ws.LapTime(r, l)) + RankField(rank, w), rank);
        }
    }
    // A runner without a valid total (kept as 0) has no total to show, whatever its last leg.
    if (legs < 1 || ws.LapState(r, legs) < 0 || ws.TotalTime(r) <= 0) {
        const RunStatus status = ws.RunnerStatus(r);
        grid.setText(row + legs + 1, r, status == RunStatus::Ok ? NoTime : StatusCell(status));
    } else {
        const int rank = ws.TotalRank(r);
        SetRanked(grid, row + legs + 1, r, FormatLapTime(ws.TotalTime(r)) + RankField(rank, w),
                  rank);
    }
}

void FillSumTimes(CellGrid& grid, const AnalysisWorkspace& ws, int row, int r, int w)
{
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        const int state = ws.SumState(r, l);
        if (state == basAnalyze::StateExcluded) {
            grid.setText(row + l, r, NoTime);
            continue;
        }
        // Where the time arrives later the estimated rank is still shown.
        const int rank = ws.EstSumRank(r, l);
        const QString time = state == basAnalyze::StateLater ? QStringLiteral("    ↓ ")
                                                             : FormatLapTime(ws.SumTime(r, l));
        SetRanked(grid, row + l, r, time + RankField(rank, w), rank);
    }
}

void FillRelative(CellGrid& grid, const AnalysisWorkspace& ws, int row, int r)
{
    const int legs = ws.AnaLegCount;
    for (int l = 1; l <= legs; ++l) {
        const int state = ws.LapState(r, l);
        grid.setText(row + l, r,
                     state == basAnalyze::StateLater      ? QStringLiteral(" ↓")
                     : state == basAnalyze::StateExcluded ? QStringLiteral("n/a")
                                                          : LegRatioText(ws.LapRatio(r, l)));
    }
    grid.setText(row + legs + 1, r, RelativeTotalText(ws.RelativeValue(r)));
}

void FillMissTimes(CellGrid& grid, const AnalysisWorkspace& ws, int row, int r)
{
    const int legs = ws.AnaLegCount;
    for (int l = 1; l <= legs; ++l) {
        const int state = ws.LapState(r, l);
        grid.setText(row + l, r,
                     state == basAnalyze::StateLater      ? QStringLiteral("     ↓ ")
                     : state == basAnalyze::StateExcluded ? QStringLiteral("    n/a ")
                                                          : FormatLapTime(ws.MissTime(r, l)));
    }
    grid.setText(row + legs + 1, r, FormatLapTime(ws.MissTimeTotal(r)));
}

}  // namespace

SectionRows Sections(int fixedRows, int legCount)
{
    SectionRows s{};
    s.lapTime = fixedRows;
    s.sumTime = s.lapTime + legCount + 2;
    s.cruiseSpeed = s.sumTime + legCount + 2;
    s.missRate = s.cruiseSpeed + 1;
    s.relative = s.missRate + 2;
    s.missTime = s.relative + legCount + 3;
    s.noMissTime = s.missTime + legCount + 3;
    return s;
}

int GridRows(int legCount)
{
    return 4 * legCount + 17;
}

int RunnerColumnTwips(int runnerCount)
{
    int digits = 0;  // integer part of the decimal logarithm
    for (int n = runnerCount; n >= 10; n /= 10) ++digits;
    return 990 + 90 * digits;
}

int RankWidth(int runnerCount)
{
    int width = 1;
    for (int n = runnerCount; n >= 10; n /= 10) ++width;
    return width;
}

QString RankField(int rank, int width)
{
    const QString value = rank > 0 ? QString::number(rank) : QStringLiteral("-");
    return QLatin1Char('(') + NumberRightAligned(value, width) + QLatin1Char(')');
}

std::uint32_t RankColor(int rank)
{
    return static_cast<std::uint32_t>(15245552 + 5124 * rank);
}

int CruiseDetailOf(const QString& value)
{
    const double places = CbasGeneral::Val(value);
    if (!(places > 0)) return 0;
    if (places >= MaxCruiseDecimals) return MaxCruiseDecimals;
    return CbasGeneral::RoundHalfEven(places);
}

int CruiseDetailSetting()
{
    return CruiseDetailOf(basSettings::SettingsFile().Item(QStringLiteral("CruiseDetail")));
}

QString ClassInfoLine(const RaceHeader& race, const clsClassData& cls)
{
    QString line = race.RaceName.isEmpty() ? QString() : race.RaceName + QStringLiteral("    ");
    if (cls.ClassLength > 0) line += QString::number(cls.ClassLength) + QStringLiteral("m ");
    if (cls.ClassUpHeight > 0) {
        line += QStringLiteral("  up ") + QString::number(cls.ClassUpHeight) + QStringLiteral("m");
    }
    return line;
}

QString CruiseSpeedText(float cruiseSpeed, int decimals)
{
    if (decimals == 0)
        return NumberRightAligned(FormatNumber(Percent(cruiseSpeed), QStringLiteral("##0")), 3);
    const QString picture = QStringLiteral("##0.") + QString(decimals, QLatin1Char('0'));
    return NumberRightAligned(FormatNumber(Percent(cruiseSpeed), picture), decimals + 4);
}

QString MissRateText(float missRate)
{
    return RightAligned(FormatNumber(Percent(missRate), QStringLiteral("#0.0")), 6);
}

QString LegRatioText(float ratio)
{
    // A thousand per cent or more keeps all its digits.
    if (ratio >= 10) return FormatNumber(Percent(ratio), QStringLiteral("####"));
    return NumberRightAligned(FormatNumber(Percent(ratio), QStringLiteral("###")), 3);
}

QString RelativeTotalText(float relativeValue)
{
    return NumberRightAligned(FormatNumber(Percent(relativeValue), QStringLiteral("###")), 3);
}

void Fill(CellGrid& grid, const clsClassData& cls, const AnalysisWorkspace& ws, int cruiseDecimals)
{
    const int runners = ws.AnaRunnerCount;
    const int legs = ws.AnaLegCount;
    grid.reset(GridRows(legs), runners + 1);
    grid.setColWidth(0, LabelColumnTwips);
    grid.setColAlignment(0, Qt::AlignRight);
    for (int r = 1; r <= runners; ++r) {
        grid.setColWidth(r, RunnerColumnTwips(runners));
        grid.setColAlignment(r, Qt::AlignHCenter);
    }
    grid.setFixedRows(SetNames(grid, cls, runners) ? 2 : 1);

    const SectionRows s = Sections(grid.fixedRows(), legs);
    SetLabels(grid, s, ws.AnaControlCount, legs);
    const int w = RankWidth(runners);
    for (int r = 1; r <= runners; ++r) {
        FillLapTimes(grid, ws, s.lapTime, r, w);
        FillSumTimes(grid, ws, s.sumTime, r, w);
        grid.setText(s.cruiseSpeed, r, CruiseSpeedText(ws.CruiseSpeed(r), cruiseDecimals));
        grid.setText(s.missRate, r, MissRateText(ws.MissRate(r)));
        FillRelative(grid, ws, s.relative, r);
        FillMissTimes(grid, ws, s.missTime, r);
        grid.setText(s.noMissTime, r, FormatLapTime(ws.NoMissTime(r)));
    }
}

}  // namespace AnalyzeGrid
