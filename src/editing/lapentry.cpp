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

// Full-width digits and colons as half-width ones.
QString HalfWidth(const QString& text)
{
    return text.normalized(QString::NormalizationForm_KC);
}

// A typed time holds digits and no letter or minus sign; other marks may stand between the
// parts ("12'34").
bool LooksLikeTime(const QString& text)
{
    bool digit = false;
    for (const QChar c : HalfWidth(text)) {
        if (c.isLetter() || c == QLatin1Char('-') || c == QChar(0x2212)) return false;
        digit = digit || c.isDigit();
    }
    return digit;
}

// The digits and colons of a text, a dot read as a colon.
QString TimeCharacters(const QString& text)
{
    QString kept;
    for (QChar c : HalfWidth(text)) {
        if (c == QLatin1Char('.')) c = QLatin1Char(':');
        if (c == QLatin1Char(':') || (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) kept += c;
    }
    return kept;
}

// Whether a part after the leading one reaches 60, so that the time read is not the one
// written: "99:99" is 1:40:39, and digits alone count as parted two by two from the right
// ("190" is 1:90, so 0:02:30).
bool Carries(const QString& digitsAndColons)
{
    QString text = digitsAndColons;
    if (!text.contains(QLatin1Char(':'))) {
        for (int cut = text.size() - 2, parts = 1; cut > 0 && parts < 3; cut -= 2, ++parts)
            text.insert(cut, QLatin1Char(':'));
    }
    const QStringList parts = text.split(QLatin1Char(':'));
    for (int i = 1; i < parts.size(); ++i)
        if (parts[i].toInt() >= 60) return true;
    return false;
}

bool IsTimeCell(const QString& cell)
{
    return !cell.isEmpty() && cell != kNA && cell != kMerged;
}

// The whole seconds of a cell that holds a time; nothing for "n/a", "↓" and empty cells.
std::optional<long long> CellSeconds(const QString& cell)
{
    if (!IsTimeCell(cell)) return std::nullopt;
    const std::optional<double> time = CbasGeneral::ParseTime(cell);
    if (!time) return std::nullopt;
    return CbasGeneral::RoundToSeconds(*time);
}

// The total of a runner who did not start: above the one day that marks a run without a valid
// total, and a total of its own in a lap file, so the runner is kept there too.
constexpr double NotStartedTotal = 2.0;

bool HasName(const LapColumn& column)
{
    return !CbasGeneral::Trim(column.name).isEmpty();
}

bool HasEntries(const LapColumn& column)
{
    if (!(column.name + column.club + column.start + column.total).trimmed().isEmpty()) return true;
    for (const QString& cell : column.legs)
        if (!cell.trimmed().isEmpty()) return true;
    return false;
}

// A total the legs contradict: with every leg known it must be their sum; with legs of unknown
// time (n/a, empty) it can only be more.
QString TotalNote(const LapColumn& column)
{
    const std::optional<long long> total = CellSeconds(column.total.trimmed());
    if (!total) return QString();
    long long sum = 0;
    bool unknownLeg = false;
    for (const QString& raw : column.legs) {
        const QString cell = raw.trimmed();
        if (const std::optional<long long> seconds = CellSeconds(cell))
            sum += *seconds;
        else if (cell != kMerged)
            unknownLeg = true;
    }
    if (*total == sum || (unknownLeg && *total > sum)) return QString();
    return QStringLiteral("総タイム %1 がラップ計 %2 と合いません")
        .arg(CbasGeneral::FormatTimeSeconds(*total, kShortTime),
             CbasGeneral::FormatTimeSeconds(sum, kShortTime));
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
    LegEntry entry;
    const QString text = typed.trimmed();
    const QString lower = text.toLower();
    if (lower == QLatin1String("n") || lower == kNA) {
        entry.cell = kNA;
    } else if (lower == QLatin1String("s") || text == kMerged) {
        entry.cell = kMerged;
    } else if (!text.isEmpty()) {
        std::optional<QString> cell;
        if (LooksLikeTime(text)) {
            cell = DurationCell(text);
            // Typing slips such as "12.34" or "12'34": dots become colons, everything else but
            // digits and colons goes.
            if (!cell) cell = DurationCell(TimeCharacters(text));
        }
        if (!cell) {
            entry.refused = true;
            entry.message = QStringLiteral("時間として読めません: ") + text;
        } else {
            entry.cell = *cell;
            if (Carries(TimeCharacters(text)))
                entry.message = QStringLiteral("「") + text + QStringLiteral("」を ") + *cell +
                                QStringLiteral(" として入力しました");
        }
    }
    return entry;
}

StartEntry ReadStartEntry(const QString& typed)
{
    StartEntry entry;
    const QString text = typed.trimmed();
    if (text.isEmpty()) return entry;
    const std::optional<double> time =
        CbasGeneral::ParseTime(CbasGeneral::NormalizeTimeText(text, false, kLongTime));
    if (!time || !LooksLikeTime(text)) {
        entry.refused = true;
        entry.message = QStringLiteral("時刻として読めません: ") + text;
        return entry;
    }
    entry.value = CbasGeneral::FormatTime(*time, kLongTime);
    entry.warnEarly = CbasGeneral::RoundToSeconds(*time) < 8 * 3600;
    return entry;
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
        if (!HasName(column)) continue;
        clsClassDataSub runner;
        runner.Namae = column.name;
        runner.Shozoku = column.club;
        runner.StartTime = CbasGeneral::ParseTime(column.start).value_or(0);
        runner.Total =
            column.total.isEmpty() ? 0 : CbasGeneral::ParseTime(column.total).value_or(0);
        const std::vector<int> gaps = GapLegs(column);
        bool anyLeg = false;
        for (int leg = 1; leg <= rows.legs; ++leg) {
            const QString cell = column.legs.value(leg - 1).trimmed();
            double lap = LapAbsent;
            if (cell == kNA || std::find(gaps.begin(), gaps.end(), leg) != gaps.end())
                lap = LapMissing;
            else if (cell == kMerged)
                lap = LapMerged;
            else if (!cell.isEmpty())
                lap = CbasGeneral::ParseTime(cell).value_or(LapMissing);
            if (!cell.isEmpty()) anyLeg = true;
            runner.setLap(leg, lap);
        }
        if (!anyLeg && runner.Total == 0) {
            runner.Total = NotStartedTotal;
            runner.Status = RunStatus::DidNotStart;
        }
        cls.Add(runner);
    }
}

std::vector<int> GapLegs(const LapColumn& column)
{
    int lastKnown = 0;
    for (int leg = 1; leg <= column.legs.size(); ++leg)
        if (!column.legs[leg - 1].trimmed().isEmpty()) lastKnown = leg;
    std::vector<int> gaps;
    for (int leg = 1; leg < lastKnown; ++leg)
        if (column.legs[leg - 1].trimmed().isEmpty()) gaps.push_back(leg);
    return gaps;
}

QStringList ApplyNotes(const LapRows& rows, const std::vector<LapColumn>& columns)
{
    QStringList notes;
    for (size_t i = 0; i < columns.size(); ++i) {
        const LapColumn& column = columns[i];
        const QString place = QStringLiteral("%1列目").arg(i + 1);
        if (!HasName(column)) {
            if (HasEntries(column)) notes << place + QStringLiteral(": 名前がないため消えます");
            continue;
        }
        const QString who = place + QStringLiteral("「") + column.name + QStringLiteral("」: ");
        QStringList legs;
        for (int leg : GapLegs(column)) legs << rows.header(FirstLegRow + leg - 1);
        if (!legs.isEmpty())
            notes << who + QStringLiteral("空欄の区間 ") + legs.join(QStringLiteral("、")) +
                         QStringLiteral(" は n/a として扱います");
        const QString total = TotalNote(column);
        if (!total.isEmpty()) notes << who + total;
    }
    return notes;
}

}  // namespace basLapEdit
