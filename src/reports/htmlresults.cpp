// The results and lap-analysis page of one class: title row, runner header rows and the
// sections of laps, cumulative times and analysis values, one column pair per runner.
#include "analysis/workspace.h"
#include "race/basicformat.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/textutil.h"
#include "reports/htmlpages.h"
#include "reports/htmltext.h"
#include "reports/lapcellplan.h"

#include <functional>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using CbasGeneral::FitWidth;
using CbasGeneral::FormatLapTime;

const QString kIdeographicSpace = QStringLiteral("\u3000");
const QString kNoTime = QStringLiteral("&nbsp;&nbsp;--:--");
const QString kNoRank = QStringLiteral("&nbsp;-");
const QString kEmptyPair = QStringLiteral("<td colspan=2>-</td>");

// The runner slots of a row: N, or N rounded up to a multiple of the label interval.
int SlotCount(const AnalysisWorkspace& ws, int labelInterval)
{
    const int n = ws.AnaRunnerCount;
    if (labelInterval <= 0 || n <= 0) return n;
    return labelInterval * ((n - 1) / labelInterval + 1);
}

// One table row: the label cell at the left (interval 0) or before every block of k slots,
// and the cell of every slot; slot i > N is a placeholder.
QString SlotRow(const AnalysisWorkspace& ws, const QString& rowStart, const QString& labelCell,
                int labelInterval, const std::function<QString(int)>& slotCell)
{
    QString row = rowStart;
    const int slotTotal = SlotCount(ws, labelInterval);
    if (labelInterval <= 0) row += labelCell;
    for (int i = 1; i <= slotTotal; ++i) {
        if (labelInterval > 0 && (i - 1) % labelInterval == 0) row += labelCell;
        row += slotCell(i);
    }
    return row + QStringLiteral("</tr>");
}

// A row across the whole table: cells of the given colspan while width remains, the first
// with the first text and every further one with the second.
QString FullWidthRow(const AnalysisWorkspace& ws, const QString& rowStart, const QString& cellStart,
                     int labelInterval, const QString& firstText, const QString& furtherText)
{
    const int n = ws.AnaRunnerCount;
    int width, span;
    if (labelInterval <= 0) {
        width = 2 * n + 1;
        span = width;
    } else {
        width = (n - 1) / labelInterval + 2 * n + 1;
        span = 2 * labelInterval + 1;
    }
    QString row = rowStart;
    bool first = true;
    do {
        row += cellStart.arg(span) + (first ? firstText : furtherText) + QStringLiteral("</td>");
        first = false;
        width -= span;
    } while (width > 0);
    return row + QStringLiteral("</tr>");
}

QString LegLabelCell(const AnalysisWorkspace& ws, Section section, bool forExcel, int l)
{
    return QStringLiteral("<td nowrap bgcolor=%1>%2</td>")
        .arg(forExcel ? QStringLiteral("#bbeeee") : QStringLiteral("#bbddff"),
             CbasGeneral::LegLabel(ws.AnaControlCount, LabelsLegs(section), l));
}

const QString& SectionTitle(Section section)
{
    static const QString titles[] = {
        QStringLiteral("◆ ラップタイム"),
        QStringLiteral("◆ 積算タイム"),
        QStringLiteral("◆ 相対値(%)\u3000[上位３人の平均に対する相対値]"),
        QStringLiteral("◆ ミスタイム"),
        QStringLiteral("◆ 巡航速度(%)\u3000[ミスをしなかった場合の、上位３人平均に対する相対値]"),
        QStringLiteral("◆ ミス率(%)\u3000[総タイムに占めるミスの割合]"),
        QStringLiteral("◆ ミスしなかった場合の総タイム"),
    };
    return titles[static_cast<int>(section) - 1];
}

// The cell of runner r on leg l in the cumulative section.
QString CumulativeCell(const AnalysisWorkspace& ws, int r, int l, bool forExcel)
{
    const bool invalid = ws.SumState(r, l) == basAnalyze::StateExcluded;
    const int rank = invalid ? 0 : ws.EstSumRank(r, l);
    const QString colour = RankColour(rank, forExcel);
    QString time;
    if (ws.LapState(r, l) < 0) {
        time = QStringLiteral("n/a");
    } else {
        time = FormatLapTime(ws.SumTime(r, l)).replace(QStringLiteral("  "), kIdeographicSpace);
        if (forExcel) time = SpacesToNbsp(time);
    }
    const QString rankText =
        invalid ? QStringLiteral("-") : RightNumber(rank, DigitCount(ws.AnaRunnerCount));
    // The time begins with an ideographic space and a space that a browser would break at.
    return QStringLiteral("<td nowrap%1>%2</td><td nowrap%1>%3</td>").arg(colour, time, rankText);
}

// The cell of runner r on leg l in the lap, ratio or miss section; empty where a cell above
// spans this leg.
QString LegCell(const AnalysisWorkspace& ws, Section section, int r, int l, bool forExcel,
                const LapCellPlan& plan)
{
    const LapCell& cell = plan[l];
    const int digits = DigitCount(ws.AnaRunnerCount);
    switch (cell.kind) {
        case LapCell::Covered:
            return QString();
        case LapCell::Excluded:
            return section == Section::Laps ? QStringLiteral("<td>n/a</td><td>-</td>")
                                            : QStringLiteral("<td colspan=2>n/a</td>");
        case LapCell::Unresolved: {
            // Legs without a split whose time never arrived: one cell over the whole run.
            const QString span = QString::number(cell.rowSpan);
            return section == Section::Laps
                       ? QStringLiteral("<td rowspan=%1>n/a</td><td rowspan=%1>-</td>").arg(span)
                       : QStringLiteral("<td colspan=2 rowspan=%1>n/a</td>").arg(span);
        }
        case LapCell::Merged: {
            const int j = cell.sourceLeg;
            const QString span = QString::number(cell.rowSpan);
            if (section == Section::Laps)
                return QStringLiteral("<td rowspan=%1>%2</td><td rowspan=%1>%3</td>")
                    .arg(span, LegTimeText(ws.LapTime(r, j), forExcel),
                         SpacesToNbsp(FitWidth(QStringLiteral("-"), digits, true, false)));
            const QString value = section == Section::Ratios ? PercentCell(ws.LapRatio(r, j))
                                                             : MissText(ws.MissTime(r, j));
            return QStringLiteral("<td colspan=2 rowspan=%1>%2</td>").arg(span, value);
        }
        case LapCell::Normal:
            break;
    }
    const int rank = ws.LapRank(r, l);
    if (section == Section::Laps) {
        const QString colour = RankColour(rank, forExcel);
        const QString rankText = rank == 0 ? SpacesToNbsp(FitWidth("-", digits, true, false))
                                           : RightNumber(rank, digits);
        return QStringLiteral("<td%1>%2</td><td%1>%3</td>")
            .arg(colour, LegTimeText(ws.LapTime(r, l), forExcel), rankText);
    }
    if (rank == 0) return QStringLiteral("<td colspan=2>n/a</td>");
    const QString value =
        section == Section::Ratios ? PercentCell(ws.LapRatio(r, l)) : MissText(ws.MissTime(r, l));
    return QStringLiteral("<td colspan=2>%1</td>").arg(value);
}

// The value of the total row of a section that has one (empty for the others).
QString TotalValue(const AnalysisWorkspace& ws, Section section, int r)
{
    switch (section) {
        case Section::Ratios:
            return PercentCell(ws.RelativeValue(r));
        case Section::MissTimes:
            return PaddedTime(ws.MissTimeTotal(r), 6);
        case Section::Cruise:
            return PercentCell(ws.CruiseSpeed(r));
        case Section::MissRate:
            return CbasGeneral::FormatNumber(basAnalyze::Percent(ws.MissRate(r)),
                                             QStringLiteral("#0.0"));
        case Section::NoMissTime:
            return SpacesToNbsp(FormatLapTime(ws.NoMissTime(r)));
        case Section::Laps:
        case Section::Sums:
            break;
    }
    return QString();
}

void WriteLegRows(HtmlPage& page, const AnalysisWorkspace& ws, Section section, bool forExcel,
                  int labelInterval)
{
    const int n = ws.AnaRunnerCount;
    std::vector<LapCellPlan> plans;
    if (section != Section::Sums) {
        plans.reserve(static_cast<size_t>(n));
        for (int r = 1; r <= n; ++r) plans.push_back(PlanLapCells(ws, r));
    }
    const bool timesAndRanks = section == Section::Laps || section == Section::Sums;
    const QString placeholder = timesAndRanks ? QStringLiteral("<td>") + kNoTime +
                                                    QStringLiteral("</td><td>") + kNoRank +
                                                    QStringLiteral("</td>")
                                              : kEmptyPair;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        page << SlotRow(ws, QStringLiteral("<tr align=right>"),
                        LegLabelCell(ws, section, forExcel, l), labelInterval, [&](int i) {
                            if (i > n) return placeholder;
                            if (section == Section::Sums) return CumulativeCell(ws, i, l, forExcel);
                            return LegCell(ws, section, i, l, forExcel,
                                           plans[static_cast<size_t>(i - 1)]);
                        });
    }
}

void WriteTotalRow(HtmlPage& page, const AnalysisWorkspace& ws, Section section, bool forExcel,
                   int labelInterval)
{
    const int n = ws.AnaRunnerCount;
    QString rowStart = QStringLiteral("<tr align=right>");
    if (HasLegRows(section))
        rowStart = forExcel ? QStringLiteral("<tr align=right bgcolor=#dddddd>")
                            : QStringLiteral("<tr align=right bgcolor=#eeeeee>");
    const QString labelCell =
        QStringLiteral("<td bgcolor=%1>%2</td>")
            .arg(forExcel ? QStringLiteral("#bbeeee") : QStringLiteral("#bbddff"),
                 HasLegRows(section) ? QStringLiteral("Total") : kIdeographicSpace);
    page << SlotRow(ws, rowStart, labelCell, labelInterval, [&](int i) {
        if (i > n) return kEmptyPair;
        return QStringLiteral("<td colspan=2>%1</td>").arg(TotalValue(ws, section, i));
    });
}

// The club as the header shows it: for the Excel form cut to 5 characters, keeping a final
// digit (team numbers) in the fifth place.
QString ClubText(const QString& club, bool forExcel)
{
    if (club.isEmpty()) return kIdeographicSpace;
    if (!forExcel || club.size() <= 5) return HtmlEscape(club);
    const QChar last = club.back();
    return HtmlEscape(last.isDigit() ? club.left(4) + last : club.left(5));
}

}  // namespace

void WriteHtmlHead(HtmlPage& page)
{
    page << QStringLiteral("<head>");
    AppendMetaLines(page);
    page << QStringLiteral("<style type=\"text/css\">") << QStringLiteral("<!--")
         << QStringLiteral(
                "td { font-family: 'ＭＳ ゴシック'; border-width: 1px 1px 0px 0px ; "
                "border-color: black }")
         << QStringLiteral("table { border-width: 0px 0px 1px 1px ; border-color: black }")
         << QStringLiteral("-->") << QStringLiteral("</style>") << QStringLiteral("</head>");
}

void WriteTableStart(HtmlPage& page)
{
    page << QStringLiteral("<table border=1 cellspacing=0 cellpadding=1 bgcolor=white>");
}

void WriteTitleRow(HtmlPage& page, const RaceHeader& race, const AnalysisWorkspace& ws,
                   int labelInterval)
{
    QString text, classPart;
    if (!race.RaceName.isEmpty())
        text += QStringLiteral("<font size=+1 color=#ffffff><b>") + HtmlEscape(race.RaceName) +
                QStringLiteral("</b></font>&nbsp;");
    if (race.hasDate())
        text += QStringLiteral("<font color=#ffffff>(") +
                CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yyyy/mm/dd")) +
                QStringLiteral(")</font> ");
    if (!race.RacePlace.isEmpty())
        text += QStringLiteral("<font color=#ffffff>[") + HtmlEscape(race.RacePlace) +
                QStringLiteral("]</font>") + kIdeographicSpace;
    if (!ws.AnaClassName.isEmpty()) {
        classPart = QStringLiteral("<font size=+1 color=#ffffff><b>") +
                    HtmlEscape(CbasGeneral::ToWide(ws.AnaClassName)) +
                    QStringLiteral("</b></font> ");
        text += classPart;
    }
    if (ws.AnaClassLength != 0) {
        text += QStringLiteral("<font color=#ffffff>%1m").arg(ws.AnaClassLength);
        if (ws.AnaClassUpHeight != 0) text += QStringLiteral(" up%1m").arg(ws.AnaClassUpHeight);
        text += QStringLiteral("</font>");
    }
    if (text.isEmpty()) return;
    page << FullWidthRow(ws, QStringLiteral("<tr height=32>"),
                         QStringLiteral("<td colspan=%1 bgcolor=#3050c0>&nbsp;"), labelInterval,
                         text, classPart);
}

void WriteRunnerHeaderRows(HtmlPage& page, const AnalysisWorkspace& ws, RunnerRows rows,
                           bool forExcel, int labelInterval)
{
    const int n = ws.AnaRunnerCount;
    const QString rowStart = QStringLiteral("<tr align=right bgcolor=#bbffbb>");
    page << SlotRow(ws, rowStart, QStringLiteral("<td>名前</td>"), labelInterval, [&](int i) {
        if (i > n) return kEmptyPair;
        return QStringLiteral("<td colspan=2>%1</td>")
            .arg(HtmlEscape(CbasGeneral::CompactName(ws.RunnerName(i))));
    });
    if (rows == RunnerRows::Names) return;

    bool anyClub = false;
    for (int r = 1; r <= n && !anyClub; ++r)
        anyClub = !CbasGeneral::StripSpaces(ws.RunnerShozoku(r)).isEmpty();
    if (anyClub)
        page << SlotRow(ws, rowStart, QStringLiteral("<td>所属</td>"), labelInterval, [&](int i) {
            if (i > n) return kEmptyPair;
            return QStringLiteral("<td colspan=2>%1</td>")
                .arg(ClubText(ws.RunnerShozoku(i), forExcel));
        });

    const int digits = DigitCount(n);
    page << SlotRow(ws, rowStart, QStringLiteral("<td>記録</td>"), labelInterval, [&](int i) {
        QString time = kNoTime, rank = kNoRank;
        if (i <= n && ws.TotalTime(i) > 0) {
            time = SpacesToNbsp(FitWidth(FormatLapTime(ws.TotalTime(i)), 7, true, false));
            rank = RightNumber(ws.TotalRank(i), digits);
        } else if (i <= n && ws.RunnerStatus(i) != RunStatus::Ok) {
            time = RunStatusText(ws.RunnerStatus(i));
        }
        return QStringLiteral("<td nowrap width=56>%1</td><td nowrap>%2</td>").arg(time, rank);
    });
}

void WriteSection(HtmlPage& page, const AnalysisWorkspace& ws, Section section, bool forExcel,
                  int labelInterval)
{
    const QString title = SectionTitle(section);
    page << FullWidthRow(ws, QStringLiteral("<tr>"),
                         QStringLiteral("<td colspan=%1 bgcolor=#ffdd99>"), labelInterval, title,
                         title);
    if (HasLegRows(section)) WriteLegRows(page, ws, section, forExcel, labelInterval);
    if (HasTotalRow(section)) WriteTotalRow(page, ws, section, forExcel, labelInterval);
}

QString RankColour(int rank, bool forExcel)
{
    static const char* const plain[] = {" bgcolor=#ffcccc", " bgcolor=#ffdddd", " bgcolor=#ffeeee"};
    static const char* const excel[] = {" bgcolor=#ff99cc", " bgcolor=#ffcc99", " bgcolor=#ffcc99"};
    if (rank < 1 || rank > 3) return QString();
    return QString::fromLatin1((forExcel ? excel : plain)[rank - 1]);
}

void WriteResultsPage(HtmlPage& page, const RaceHeader& race, const AnalysisWorkspace& ws,
                      OutputDataType type, bool forExcel, int labelInterval,
                      const QString& homePageUrl)
{
    const bool sums = type == OutputDataType::LapsAndSums || type == OutputDataType::Analysis;
    const bool analysis = type == OutputDataType::Analysis;
    page << QStringLiteral("<html>");
    WriteHtmlHead(page);
    page << QStringLiteral("<body>");
    WriteTableStart(page);
    WriteTitleRow(page, race, ws, labelInterval);
    WriteRunnerHeaderRows(page, ws, RunnerRows::All, forExcel, labelInterval);
    WriteSection(page, ws, Section::Laps, forExcel, labelInterval);
    if (sums) WriteSection(page, ws, Section::Sums, forExcel, labelInterval);
    if (analysis) {
        WriteRunnerHeaderRows(page, ws, RunnerRows::Names, forExcel, labelInterval);
        WriteSection(page, ws, Section::Cruise, forExcel, labelInterval);
        WriteSection(page, ws, Section::MissRate, forExcel, labelInterval);
        WriteRunnerHeaderRows(page, ws, RunnerRows::Names, forExcel, labelInterval);
        WriteSection(page, ws, Section::Ratios, forExcel, labelInterval);
        WriteSection(page, ws, Section::MissTimes, forExcel, labelInterval);
        WriteSection(page, ws, Section::NoMissTime, forExcel, labelInterval);
        WriteRunnerHeaderRows(page, ws, RunnerRows::All, forExcel, labelInterval);
    }
    page << QStringLiteral("</table>");
    if (analysis) {
        const QString madeWith = QStringLiteral("<i>Made with %1</i>").arg(GeneratorText());
        page << QStringLiteral(
                    "<font size=2><i>Special Thanks to Mr.Elmsworth and Mr.Pennick.</i></font><br>")
             << (homePageUrl.isEmpty() ? madeWith
                                       : QStringLiteral("<a href=\"%1\">%2</a>")
                                             .arg(HtmlEscape(homePageUrl), madeWith));
    }
    page << QStringLiteral("</body>") << QStringLiteral("</html>");
}

}  // namespace basExport
