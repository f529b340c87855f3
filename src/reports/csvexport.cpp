#include "reports/csvexport.h"

#include "analysis/workspace.h"
#include "race/basicformat.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>
#include <cmath>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Percent;
using basAnalyze::StateExcluded;
using basAnalyze::StateLater;
using CbasGeneral::FitWidth;
using CbasGeneral::FormatNumber;
using CbasGeneral::FormatTime;

// The raw name and the club of runner r as fields: a "," inside becomes "，", a leading
// formula character its full-width form.
QString nameField(const AnalysisWorkspace& ws, int r)
{
    return CbasGeneral::CsvCell(ws.RunnerName(r));
}

QString clubField(const AnalysisWorkspace& ws, int r)
{
    return CbasGeneral::CsvCell(ws.RunnerShozoku(r));
}

QString clock(double value)
{
    return FormatTime(value, QStringLiteral("h:nn:ss"));
}

// The rank width: 2 columns below 100 runners, then as many as the runner count has digits,
// so that no rank is ever cut.
int rankWidth(const AnalysisWorkspace& ws)
{
    return std::max(2, static_cast<int>(QString::number(ws.AnaRunnerCount).size()));
}

QString rankPart(const AnalysisWorkspace& ws, const QString& rank)
{
    return QLatin1Char('(') + FitWidth(rank, rankWidth(ws), true, false) + QLatin1Char(')');
}

// A lap time with its rank; the leg winner is marked "*1".
QString lapCell(const AnalysisWorkspace& ws, int r, int l)
{
    const int rank = ws.LapRank(r, l);
    const QString mark = rank == 0   ? QStringLiteral("-")
                         : rank == 1 ? QStringLiteral("*1")
                                     : QString::number(rank);
    return clock(ws.LapTime(r, l)) + rankPart(ws, mark);
}

// A cumulative time with its estimated rank; the leader is shown as plain "1".
QString sumCell(const AnalysisWorkspace& ws, int r, int l)
{
    const int rank = ws.EstSumRank(r, l);
    return clock(ws.SumTime(r, l)) +
           rankPart(ws, rank == 0 ? QStringLiteral("-") : QString::number(rank));
}

QString ratioCell(const AnalysisWorkspace& ws, int r, int l)
{
    return ws.LapRank(r, l) != 0 ? FormatNumber(Percent(ws.LapRatio(r, l)), QStringLiteral("####"))
                                 : QStringLiteral("n/a");
}

QString missCell(const AnalysisWorkspace& ws, int r, int l)
{
    if (ws.LapRank(r, l) == 0) return QStringLiteral("n/a");
    const double miss = ws.MissTime(r, l);
    return (miss < 0 ? QStringLiteral("-") : QString()) + clock(std::fabs(miss));
}

// The cell of a columns or rows table for lap states -1 and -2, or the value cell.
QString stateOr(const AnalysisWorkspace& ws, int r, int l, const QString& later,
                const QString& value)
{
    const int state = ws.LapState(r, l);
    if (state == StateLater) return later;
    if (state == StateExcluded) return QStringLiteral("n/a");
    return value;
}

QString legLabel(const AnalysisWorkspace& ws, int l, bool from)
{
    return CbasGeneral::LegLabel(ws.AnaControlCount, from, l);
}

QString legLabels(const AnalysisWorkspace& ws, bool from)
{
    QString text;
    for (int l = 1; l <= ws.AnaLegCount; ++l) text += QLatin1Char(',') + legLabel(ws, l, from);
    return text;
}

// The result field of the rows tables: total time and rank, or dashes without a result.
QString rowResult(const AnalysisWorkspace& ws, int r)
{
    if (ws.TotalTime(r) > 0)
        return clock(ws.TotalTime(r)) + rankPart(ws, QString::number(ws.TotalRank(r)));
    return QStringLiteral("-:--:--") + rankPart(ws, QStringLiteral("-"));
}

// The cell of runner r on leg l in a section with leg rows (empty for the others).
QString columnCell(const AnalysisWorkspace& ws, Section section, int r, int l)
{
    switch (section) {
        case Section::Laps:
            return stateOr(ws, r, l, QStringLiteral("↓"), lapCell(ws, r, l));
        case Section::Sums:
            return stateOr(ws, r, l, QStringLiteral("↓"), sumCell(ws, r, l));
        case Section::Ratios:
            return stateOr(ws, r, l, QStringLiteral("↓"), ratioCell(ws, r, l));
        case Section::MissTimes:
            return stateOr(ws, r, l, QStringLiteral("↓"), missCell(ws, r, l));
        case Section::Cruise:
        case Section::MissRate:
        case Section::NoMissTime:
            break;
    }
    return QString();
}

// The total of runner r in a section with a total row (empty for the others).
QString columnTotal(const AnalysisWorkspace& ws, Section section, int r)
{
    switch (section) {
        case Section::Ratios:
            return FormatNumber(Percent(ws.RelativeValue(r)), QStringLiteral("####"));
        case Section::MissTimes:
            return clock(ws.MissTimeTotal(r));
        case Section::Cruise:
            return FormatNumber(Percent(ws.CruiseSpeed(r)), QStringLiteral("###"));
        case Section::MissRate:
            return FormatNumber(Percent(ws.MissRate(r)), QStringLiteral("#0.0"));
        case Section::NoMissTime:
            return clock(ws.NoMissTime(r));
        case Section::Laps:
        case Section::Sums:
            break;
    }
    return QString();
}

const char* const ColumnTitles[] = {
    "◆ ラップタイム", "◆ 積算タイム", "◆ 上位３人に対する相対値(%)",   "◆ ミスタイム",
    "◆ 巡航速度(%)",  "◆ ミス率(%)",  "◆ ミスしなかった場合の総タイム"};

bool hasAffiliations(const AnalysisWorkspace& ws)
{
    return !CsvAffiliationLine(ws).isEmpty();
}

void writeLapRows(TextLines& out, const AnalysisWorkspace& ws)
{
    const bool clubs = hasAffiliations(ws);
    out << QStringLiteral("◆ ラップタイム") << QString()
        << (clubs ? QStringLiteral("名前,所属,成績") : QStringLiteral("名前,成績")) +
               legLabels(ws, true)
        << QString();
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        QString line = nameField(ws, r);
        if (clubs) line += QLatin1Char(',') + clubField(ws, r);
        line += QLatin1Char(',') + rowResult(ws, r);
        for (int l = 1; l <= ws.AnaLegCount; ++l)
            line += QLatin1Char(',') + stateOr(ws, r, l, QStringLiteral("→"), lapCell(ws, r, l));
        out << line;
    }
    out << QString();
}

void writeLapSumRows(TextLines& out, const AnalysisWorkspace& ws)
{
    const bool clubs = hasAffiliations(ws);
    out << QStringLiteral("◆ ラップタイム（上段）・積算タイム（下段）") << QString()
        << QStringLiteral("名前,成績") + legLabels(ws, true)
        << (clubs ? QStringLiteral(",所属") : QStringLiteral(",")) + legLabels(ws, false)
        << QString();
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        QString laps = nameField(ws, r) + QLatin1Char(',') + rowResult(ws, r);
        QString sums = QLatin1Char(',') + (clubs ? clubField(ws, r) : QString());
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            laps += QLatin1Char(',') + stateOr(ws, r, l, QStringLiteral("→"), lapCell(ws, r, l));
            sums += QLatin1Char(',') + stateOr(ws, r, l, QStringLiteral("→"), sumCell(ws, r, l));
        }
        out << laps << sums;
    }
    out << QString();
}

void writeRatioRows(TextLines& out, const AnalysisWorkspace& ws)
{
    out << QStringLiteral("◆ 相対値") << QString()
        << QStringLiteral("名前,巡航速度(%)") + legLabels(ws, true) + QStringLiteral(",Total")
        << QString();
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        QString line = nameField(ws, r) + QLatin1Char(',') +
                       FormatNumber(Percent(ws.CruiseSpeed(r)), QStringLiteral("###"));
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const QString value =
                ws.LapRank(r, l) >= 1 ? ratioCell(ws, r, l) : QStringLiteral("n/a");
            line += QLatin1Char(',') + stateOr(ws, r, l, QStringLiteral("→"), value);
        }
        out << line + QLatin1Char(',') + columnTotal(ws, Section::Ratios, r);
    }
    out << QString();
}

void writeMissRows(TextLines& out, const AnalysisWorkspace& ws)
{
    out << QStringLiteral("◆ ミスタイム") << QString()
        << QStringLiteral("名前,ミス率(%)") + legLabels(ws, true) +
               QStringLiteral(",Total,ミスなし")
        << QString();
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        QString line = nameField(ws, r) + QLatin1Char(',') + columnTotal(ws, Section::MissRate, r);
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const QString value =
                ws.LapRank(r, l) >= 1 ? missCell(ws, r, l) : QStringLiteral("n/a");
            line += QLatin1Char(',') + stateOr(ws, r, l, QStringLiteral("→"), value);
        }
        out << line + QLatin1Char(',') + columnTotal(ws, Section::MissTimes, r) + QLatin1Char(',') +
                   columnTotal(ws, Section::NoMissTime, r);
    }
    out << QString();
}

// The SplitsBrowser runner lines begin with an empty forename field: the viewer reads
// forename, surname, club and start time before the leg times.
void writeSplitsBrowserRows(TextLines& out, const AnalysisWorkspace& ws)
{
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const QString club = clubField(ws, r);
        const double start = ws.RunnerStartTime(r);
        QString line = QLatin1Char(',') + nameField(ws, r) + QLatin1Char(',') +
                       (club.isEmpty() ? QStringLiteral(" ") : club) + QLatin1Char(',') +
                       (start != 0 ? clock(start) : QStringLiteral("9:00:00"));
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const int state = ws.LapState(r, l);
            const double estimate = ws.EstLapTime(r, l);
            // "0:00" is the viewer's missing split. A leg without any time (an empty entry
            // keeps its mark, -2, as estimate) is one too, or it would read as two days.
            const bool noTime = ((state == StateLater || state == StateExcluded) &&
                                 ws.SumState(r, l) == StateExcluded) ||
                                !(estimate > 0);
            line += QLatin1Char(',') +
                    (noTime ? QStringLiteral("0:00") : SplitsBrowserLegTime(estimate));
        }
        out << line;
    }
}

void writeSumRows(TextLines& out, const AnalysisWorkspace& ws)
{
    out << QStringLiteral("名前,所属") + legLabels(ws, false);
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        QString line = nameField(ws, r) + QLatin1Char(',') + clubField(ws, r);
        for (int l = 1; l <= ws.AnaLegCount; ++l)
            line += QLatin1Char(',') + (ws.SumState(r, l) == StateExcluded
                                            ? QStringLiteral("n/a")
                                            : clock(ws.EstSumTime(r, l)));
        out << line;
    }
    out << QString();
}

}  // namespace

QString CsvNameLine(const AnalysisWorkspace& ws)
{
    QStringList names;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        names << CbasGeneral::CsvCell(CbasGeneral::CompactName(ws.RunnerName(r)));
    return QStringLiteral("名前,") + names.join(QLatin1Char(','));
}

QString CsvAffiliationLine(const AnalysisWorkspace& ws)
{
    QStringList clubs;
    bool any = false;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        clubs << clubField(ws, r);
        any |= !clubs.last().isEmpty();
    }
    return any ? QStringLiteral("所属,") + clubs.join(QLatin1Char(',')) : QString();
}

QString CsvResultLine(const AnalysisWorkspace& ws)
{
    const int digits = QString::number(ws.AnaRunnerCount).size();
    QStringList results;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const bool valid = ws.TotalTime(r) > 0;
        const QString time = valid ? clock(ws.TotalTime(r)) : QStringLiteral("-:--:--");
        const QString rank = valid ? QString::number(ws.TotalRank(r)) : QStringLiteral("-");
        results << time + QLatin1Char('(') + FitWidth(rank, digits, true, false) + QLatin1Char(')');
    }
    return QStringLiteral("記録,") + results.join(QLatin1Char(','));
}

QString CsvRaceTitle(const RaceHeader& race)
{
    QString title = CbasGeneral::CsvField(race.RaceName);
    if (race.hasDate())
        title += QStringLiteral(" (") +
                 CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yyyy/mm/dd")) +
                 QStringLiteral(") ");
    if (!race.RacePlace.isEmpty())
        title += QLatin1Char('[') + CbasGeneral::CsvField(race.RacePlace) + QLatin1Char(']');
    return title;
}

void WriteCsvColumns(TextLines& out, const AnalysisWorkspace& ws, const QString& nameLine,
                     Section section)
{
    out << QString::fromUtf8(ColumnTitles[static_cast<int>(section) - 1]) << nameLine;
    if (HasLegRows(section)) {
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            QString line = legLabel(ws, l, LabelsLegs(section));
            for (int r = 1; r <= ws.AnaRunnerCount; ++r)
                line += QLatin1Char(',') + columnCell(ws, section, r, l);
            out << line;
        }
    }
    if (HasTotalRow(section)) {
        QStringList totals;
        for (int r = 1; r <= ws.AnaRunnerCount; ++r) totals << columnTotal(ws, section, r);
        out << (HasLegRows(section) ? QStringLiteral("Total,") : QStringLiteral(",")) +
                   totals.join(QLatin1Char(','));
    }
    out << QString();
}

void WriteCsvRows(TextLines& out, const AnalysisWorkspace& ws, CsvRowTable table)
{
    switch (table) {
        case CsvRowTable::Laps:
            writeLapRows(out, ws);
            break;
        case CsvRowTable::LapsOverSums:
            writeLapSumRows(out, ws);
            break;
        case CsvRowTable::Ratios:
            writeRatioRows(out, ws);
            break;
        case CsvRowTable::MissTimes:
            writeMissRows(out, ws);
            break;
        case CsvRowTable::SplitsBrowser:
            writeSplitsBrowserRows(out, ws);
            break;
        case CsvRowTable::Sums:
            writeSumRows(out, ws);
            break;
    }
}

QString SplitsBrowserClassLine(const AnalysisWorkspace& ws)
{
    const int controls = ws.AnaLegCount > 0 ? ws.AnaLegCount - 1 : 0;
    return CbasGeneral::CsvCell(CbasGeneral::ToUpper(ws.AnaClassName)) + QLatin1Char(',') +
           QString::number(controls);
}

QString SplitsBrowserLegTime(double value)
{
    const long long seconds = CbasGeneral::RoundToSeconds(std::fabs(value));
    return QString::number(seconds / 60) + QLatin1Char(':') +
           QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

QString CsvClassTitleLine(const AnalysisWorkspace& ws)
{
    if (ws.AnaClassName.isEmpty()) return QString();
    QString line = QStringLiteral("■■■《　") + CbasGeneral::ToWide(ws.AnaClassName) +
                   QStringLiteral("　》■■■");
    if (ws.AnaClassLength > 0) {
        line += QStringLiteral("  (") + QString::number(ws.AnaClassLength) + QLatin1Char('m');
        if (ws.AnaClassUpHeight > 0)
            line += QStringLiteral(" up") + QString::number(ws.AnaClassUpHeight) + QLatin1Char('m');
        line += QLatin1Char(')');
    }
    return line;
}

}  // namespace basExport
