#include "reports/mailtext.h"

#include "analysis/workspace.h"
#include "race/basicformat.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <cmath>
#include <functional>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Percent;
using CbasGeneral::FitWidth;
using CbasGeneral::FormatNumber;

constexpr int BlockColumns = 12;

QString cell(const QString& text)
{
    return FitWidth(text, 6, true, true);
}

// One column of a section: its heading and a value for every row.
struct Column {
    QString heading;
    std::function<QString(int row)> value;
};

// The rows of a section: their labels, the leg each stands for (0 for the total row).
struct RowPlan {
    QStringList labels;
    std::vector<int> legs;
};

// Legs 1..leg count, the finish leg as " F" when the class has one, and "TT" when asked.
RowPlan legRows(const AnalysisWorkspace& ws, bool total)
{
    RowPlan plan;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        plan.labels << (l == ws.AnaControlCount + 1 ? QStringLiteral(" F")
                                                    : FitWidth(QString::number(l), 2, true, false));
        plan.legs.push_back(l);
    }
    if (total) {
        plan.labels << QStringLiteral("TT");
        plan.legs.push_back(0);
    }
    return plan;
}

RowPlan valueRow()
{
    RowPlan plan;
    plan.labels << QStringLiteral("  ");
    plan.legs.push_back(0);
    return plan;
}

void writeBlock(TextLines& out, const RowPlan& rows, const std::vector<Column>& columns,
                std::size_t first, std::size_t end)
{
    QString head = QStringLiteral("  ");
    for (std::size_t c = first; c < end; ++c) head += columns[c].heading;
    out << head;
    for (std::size_t i = 0; i < rows.legs.size(); ++i) {
        QString line = rows.labels[static_cast<int>(i)];
        for (std::size_t c = first; c < end; ++c) line += cell(columns[c].value(rows.legs[i]));
        out << line;
    }
    out << QString();
}

void writeSection(TextLines& out, const char* title, const RowPlan& rows,
                  const std::vector<Column>& columns)
{
    out << QString::fromUtf8(title) << QString();
    for (std::size_t first = 0; first < columns.size(); first += BlockColumns)
        writeBlock(out, rows, columns, first, std::min(columns.size(), first + BlockColumns));
}

// A per-leg cell: "↓" and "n/a" for lap states -1 and -2, else the value.
QString legCell(const AnalysisWorkspace& ws, int r, int l, const std::function<QString()>& value)
{
    const int state = ws.LapState(r, l);
    if (state == basAnalyze::StateLater) return QStringLiteral("↓");
    if (state == basAnalyze::StateExcluded) return QStringLiteral("n/a");
    return value();
}

std::vector<Column> runnerColumns(const AnalysisWorkspace& ws,
                                  const std::function<QString(int r, int row)>& value)
{
    std::vector<Column> columns;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        columns.push_back({cell(CbasGeneral::CompactName(ws.RunnerName(r))),
                           [r, value](int row) { return value(r, row); }});
    return columns;
}

QString percent(float ratio, const char* picture)
{
    return FormatNumber(Percent(ratio), QString::fromUtf8(picture));
}

QString missText(double miss)
{
    const QString text = MailTime(std::fabs(miss), true);
    return miss < 0 && text != QLatin1String("0") ? QLatin1Char('-') + text : text;
}

void writeHeader(TextLines& out, const RaceHeader& race, const AnalysisWorkspace& ws)
{
    if (!ws.AnaClassName.isEmpty()) {
        QString line = QStringLiteral("◎ ") + CbasGeneral::ToWide(ws.AnaClassName);
        if (ws.AnaClassLength != 0) line += QStringLiteral(" %1m").arg(ws.AnaClassLength);
        if (ws.AnaClassUpHeight != 0) line += QStringLiteral(" ↑%1m").arg(ws.AnaClassUpHeight);
        out << line;
    }
    if (!race.RaceName.isEmpty() || race.hasDate() || !race.RacePlace.isEmpty()) {
        QString line = QStringLiteral("    - ") + race.RaceName;
        if (race.hasDate())
            line += QLatin1Char(' ') +
                    CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yyyy/mm/dd"));
        if (!race.RacePlace.isEmpty())
            line += QStringLiteral(" (") + race.RacePlace + QLatin1Char(')');
        out << line;
    }
    out << QString();
}

}  // namespace

QString MailTime(double value, bool lap)
{
    const int seconds = CbasGeneral::TimeToSeconds(value);
    const bool minuteForm = lap ? seconds >= 60 : seconds > 60;
    if (!minuteForm) return QString::number(seconds);
    return QString::number(seconds / 60) +
           QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
}

void WriteMailText(TextLines& out, const RaceHeader& race, const AnalysisWorkspace& w)
{
    writeHeader(out, race, w);

    std::vector<Column> laps = runnerColumns(w, [&w](int r, int l) {
        if (l == 0) return MailTime(w.TotalTime(r), false);
        return legCell(w, r, l, [&] { return MailTime(w.LapTime(r, l), true); });
    });
    laps.push_back({QStringLiteral("  Ave3"), [&w](int l) {
                        return MailTime(l == 0 ? w.TopTotal : w.TopAverage(l), false);
                    }});
    writeSection(out, "■ ラップタイム (mmmss)", legRows(w, true), laps);

    std::vector<Column> sums = runnerColumns(w, [&w](int r, int l) {
        return legCell(w, r, l, [&] {
            const bool valid =
                w.SumState(r, l) != basAnalyze::StateExcluded && w.EstSumRank(r, l) != 0;
            return valid ? MailTime(w.SumTime(r, l), false) : QStringLiteral("n/a");
        });
    });
    sums.push_back({QStringLiteral("  Ave3"), [&w](int l) {
                        double sum = 0;
                        for (int k = 1; k <= l; ++k) sum += w.TopAverage(k);
                        return MailTime(sum, false);
                    }});
    writeSection(out, "■積算タイム (mmmss)", legRows(w, false), sums);

    writeSection(out, "■相対値 (%)", legRows(w, true), runnerColumns(w, [&w](int r, int l) {
                     if (l == 0) return percent(w.RelativeValue(r), "##0");
                     return legCell(w, r, l, [&] { return percent(w.LapRatio(r, l), "##0"); });
                 }));
    writeSection(out, "■巡航速度 (%)", valueRow(),
                 runnerColumns(w, [&w](int r, int) { return percent(w.CruiseSpeed(r), "##0"); }));
    writeSection(out, "■ミス率 (%)", valueRow(),
                 runnerColumns(w, [&w](int r, int) { return percent(w.MissRate(r), "#0.0"); }));
    writeSection(out, "■ミスタイム (mmmss)", legRows(w, true), runnerColumns(w, [&w](int r, int l) {
                     if (l == 0) return MailTime(w.MissTimeTotal(r), false);
                     return legCell(w, r, l, [&] { return missText(w.MissTime(r, l)); });
                 }));
}

}  // namespace basExport
