#include "editing/lapentry.h"

#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

namespace basLapEdit {

namespace {

const QString kNA = QStringLiteral("n/a");
const QString kMerged = QStringLiteral("↓");
const QString kShortTime = QStringLiteral("h:nn:ss");
const QString kLongTime = QStringLiteral("hh:nn:ss");

// A duration text as a cell, or no value when it is no time.
std::optional<QString> DurationCell(const QString& text)
{
    const std::optional<double> time =
        CbasGeneral::ParseTime(CbasGeneral::NormalizeTimeText(text, true, kLongTime));
    if (!time) return std::nullopt;
    return CbasGeneral::FormatTime(*time, kShortTime);
}

bool IsTimeCell(const QString& cell)
{
    return !cell.isEmpty() && cell != kNA && cell != kMerged;
}

}  // namespace

LapRows::LapRows(int count) : controlCount(count), legs(std::clamp(count + 1, 1, MaxLegs))
{
}

QString LapRows::header(int row) const
{
    if (row == NameRow) return QStringLiteral("名前");
    if (row == ClubRow) return QStringLiteral("所属");
    if (row == StartRow) return QStringLiteral("スタート時刻");
    if (isLegRow(row)) return CbasGeneral::LegLabel(controlCount, true, row - FirstLegRow + 1);
    if (row == totalRow()) return QStringLiteral("総タイム");
    if (row == sumRow()) return QStringLiteral("ラップ計");
    return QString();
}

QString LegCellText(double lap)
{
    if (lap > 0) return CbasGeneral::FormatTime(lap, kShortTime);
    if (lap == LapMissing) return kNA;
    if (IsLapMerged(lap)) return kMerged;
    return QString();
}

QString TotalCellText(double total)
{
    return total > 1 ? kNA : CbasGeneral::FormatTime(total, kShortTime);
}

QString StartCellText(double startTime)
{
    return startTime == 0 ? QString() : CbasGeneral::FormatTime(startTime, kShortTime);
}

LegEntry ReadLegEntry(const QString& typed)
{
    const QString lower = typed.toLower();
    if (lower == QLatin1String("n") || lower == kNA) return {kNA, false};
    if (lower == QLatin1String("s") || typed == kMerged) return {kMerged, false};
    if (std::optional<QString> cell = DurationCell(typed)) return {*cell, false};
    // Typing slips such as "12.34" or "12'34": dots become colons, everything else but
    // digits and colons goes.
    QString filtered;
    for (QChar c : typed) {
        if (c == QLatin1Char('.')) c = QLatin1Char(':');
        if (c == QLatin1Char(':') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            filtered += c;
    }
    if (std::optional<QString> cell = DurationCell(filtered)) return {*cell, false};
    return {QString(), true};
}

StartEntry ReadStartEntry(const QString& typed)
{
    const std::optional<double> time =
        CbasGeneral::ParseTime(CbasGeneral::NormalizeTimeText(typed, false, kLongTime));
    if (!time) return {};
    const bool early = CbasGeneral::RoundToSeconds(*time) < 8 * 3600;
    return {CbasGeneral::FormatTime(*time, kLongTime), early};
}

QString LapSumText(const QStringList& legCells)
{
    long long seconds = 0;
    for (const QString& cell : legCells) {
        if (!IsTimeCell(cell)) continue;
        if (std::optional<double> time = CbasGeneral::ParseTime(cell))
            seconds += CbasGeneral::RoundToSeconds(*time);
    }
    return CbasGeneral::FormatTimeSeconds(seconds, kShortTime);
}

CursorMove NextCell(const LapRows& rows, int row, int col, int lastCol, const CursorSteps& steps)
{
    const bool finished = row == rows.totalRow() || (row == rows.lastLegRow() && !steps.totalTime);
    if (finished) {
        if (col >= lastCol) return {NameRow, lastCol + 1, true};
        return {NameRow, col + 1, false};
    }
    if (row == NameRow && !steps.club)
        return {steps.startTime ? StartRow : FirstLegRow, col, false};
    if (row == ClubRow && !steps.startTime) return {FirstLegRow, col, false};
    return {std::min(row + 1, rows.sumRow()), col, false};
}

void StoreColumns(clsClassData& cls, const LapRows& rows, const std::vector<LapColumn>& columns)
{
    cls.ClearItem();
    bool finish = false;
    for (const LapColumn& column : columns) {
        const QString last = column.legs.value(rows.legs - 1).trimmed();
        if (IsTimeCell(last)) finish = true;
    }
    // A last leg row cut at MaxLegs ends at a control, not at the finish.
    cls.ClassLastGoalExist = finish && rows.lastLegIsFinish();

    for (const LapColumn& column : columns) {
        clsClassDataSub runner;
        runner.Namae = column.name;
        runner.Shozoku = column.club;
        runner.StartTime = CbasGeneral::ParseTime(column.start).value_or(0);
        runner.Total =
            column.total.isEmpty() ? 0 : CbasGeneral::ParseTime(column.total).value_or(0);
        bool anyLeg = false;
        for (int leg = 1; leg <= rows.legs; ++leg) {
            const QString cell = column.legs.value(leg - 1).trimmed();
            double lap = LapAbsent;
            if (cell == kNA)
                lap = LapMissing;
            else if (cell == kMerged)
                lap = LapMerged;
            else if (!cell.isEmpty())
                lap = CbasGeneral::ParseTime(cell).value_or(LapMissing);
            if (!cell.isEmpty()) anyLeg = true;
            runner.setLap(leg, lap);
        }
        if (!runner.Namae.isEmpty() && anyLeg) cls.Add(runner);
    }
}

}  // namespace basLapEdit
