// The leg-difficulty page of one class: per leg its share of the course, top average,
// difficulty and the six fastest runners, then the same for the whole course.
#include "analysis/analyze.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/sortdata.h"
#include "race/textutil.h"
#include "reports/htmlpages.h"
#include "reports/htmltext.h"

#include <functional>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;

constexpr int kPlaces = 6;

// A leg time as minutes and seconds. A leg of an hour or more keeps its whole minutes ("65:12")
// rather than dropping the hour.
QString MinutesSeconds(double time)
{
    const long long seconds = CbasGeneral::RoundToSeconds(time < 0 ? -time : time);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

// Right-justified to width columns; a longer text is kept whole.
QString PadLeft(const QString& text, int width)
{
    const int pad = width - CbasGeneral::AnsiLength(text);
    return pad > 0 ? QString(pad, QLatin1Char(' ')) + text : text;
}

// The cell of one place: the first three characters of the runner's name and the time, the
// class's first three runners in their own colours.
QString PlaceCell(const AnalysisWorkspace& ws, int r, const QString& time)
{
    // Three characters, counted so that a character outside the basic plane is not split.
    const QList<uint> head = ws.RunnerName(r).toUcs4().mid(0, 3);
    const QString name = CbasGeneral::FitWidth(
        QString::fromUcs4(reinterpret_cast<const char32_t*>(head.data()), head.size()), 6, false,
        true);
    const QString text = SpacesToNbsp(HtmlEscape(name) + PadLeft(time, 7));
    switch (r) {
        case 1:
            return QStringLiteral("<td nowrap bgcolor=#ddddff><font color=#000080>%1</font></td>")
                .arg(text);
        case 2:
            return QStringLiteral("<td nowrap bgcolor=#ffdddd><font color=#800000>%1</font></td>")
                .arg(text);
        case 3:
            return QStringLiteral("<td nowrap bgcolor=#ddffdd><font color=#008000>%1</font></td>")
                .arg(text);
        default:
            return QStringLiteral("<td nowrap>%1</td>").arg(text);
    }
}

// The six place cells of a ranking of runners (keys are runner indexes).
QString PlaceCells(const AnalysisWorkspace& ws, SortData& ranking,
                   const std::function<QString(int)>& timeOf)
{
    ranking.Calc();
    QString cells;
    for (int p = 1; p <= kPlaces; ++p) {
        if (ranking.Count() < p) {
            cells += QStringLiteral("<td>&nbsp;</td>");
            continue;
        }
        const int r = ranking.Key(p).toInt();
        cells += PlaceCell(ws, r, timeOf(r));
    }
    return cells;
}

}  // namespace

void WriteLegDifficultyTable(HtmlPage& page, const AnalysisWorkspace& ws)
{
    using CbasGeneral::FormatNumber;
    page << QStringLiteral("<table cellpadding=2 cellspacing=0 border=1>")
         << QStringLiteral(
                "<tr align=right nowrap bgcolor=#ffaa99><td>&nbsp;</td><td nowrap>レッグ長</td>"
                "<td nowrap>上位平均</td><td nowrap>難易度</td><td nowrap>１位</td>"
                "<td nowrap>２位</td><td nowrap>３位</td><td nowrap>４位</td><td nowrap>５位</td>"
                "<td nowrap>６位</td></tr>");
    const basAnalyze::LegDifficultyTable difficulty = basAnalyze::LegDifficulty(ws, 2);
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        SortData ranking;
        for (int r = 1; r <= ws.AnaRunnerCount; ++r)
            if (ws.LapState(r, l) == basAnalyze::StateNormal)
                ranking.Add(ws.LapTime(r, l), QString::number(r));
        page << QStringLiteral("<tr align=right nowrap>") +
                    QStringLiteral("<td bgcolor=#ffaa99 nowrap>%1</td>")
                        .arg(CbasGeneral::LegLabel(ws.AnaControlCount, true, l)) +
                    QStringLiteral("<td bgcolor=#ffeeee>%1%</td>")
                        .arg(FormatNumber(basAnalyze::Percent(ws.LegWeight(l)),
                                          QStringLiteral("##0.0"))) +
                    QStringLiteral("<td bgcolor=#ffeeee>%1</td>")
                        .arg(MinutesSeconds(ws.TopAverage(l))) +
                    QStringLiteral("<td bgcolor=#ffffcc>%1</td>")
                        .arg(FormatNumber(basAnalyze::Percent(difficulty.Difficulty(l)),
                                          QStringLiteral("##0"))) +
                    PlaceCells(ws, ranking,
                               [&](int r) { return MinutesSeconds(ws.LapTime(r, l)); }) +
                    QStringLiteral("</tr>");
    }
    SortData finishers;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        if (ws.TotalTime(r) > 0) finishers.Add(ws.TotalTime(r), QString::number(r));
    const QString hms = QStringLiteral("h:nn:ss");
    page << QStringLiteral(
                "<tr align=right nowrap bgcolor=#e0e0e0><td bgcolor=#ffaa99>&nbsp;</td>"
                "<td>100.0%</td><td>") +
                CbasGeneral::FormatTime(ws.TopTotal, hms) + QStringLiteral("</td><td>100</td>") +
                PlaceCells(ws, finishers,
                           [&](int r) { return CbasGeneral::FormatTime(ws.TotalTime(r), hms); }) +
                QStringLiteral("</tr></table>");
}

void WriteLegPage(HtmlPage& page, const AnalysisWorkspace& ws)
{
    page << QStringLiteral("<html>");
    WriteHtmlHead(page);
    WriteLegDifficultyTable(page, ws);
    page << QStringLiteral("</body>") << QStringLiteral("</html>");
}

}  // namespace basExport
