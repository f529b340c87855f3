#include "reports/analysiscsv.h"

#include "analysis/analyze.h"
#include "analysis/percenttext.h"
#include "race/basicformat.h"
#include "race/pathutil.h"
#include "race/race.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>
#include <QStringList>

namespace basExport {

namespace {

const char* const HeaderLine =
    "氏名,所属,大会日程,大会名称,クラス,タイム,順位,参加数,巡航速度,ミス率,序盤巡航速度,"
    "終盤巡航速度,相対値,序盤相対値,終盤相対値,ショートレッグ平均相対値,"
    "ショートレッグ相対値リスト,ロングレッグ平均相対値,ロングレッグ相対値リスト,"
    "ミスレッグ直後相対値,Ｓ１相対値,ラスポゴール相対値,優勝タイム,優勝者";

const QString LineEnd = QStringLiteral("\r\n");

QString totalText(double total)
{
    return total > 0 ? CbasGeneral::FormatTime(total, QStringLiteral("h:nn:ss")) : QString();
}

// The ratio of a leg when the runner is ranked on it, else empty.
QString rankedLegRatio(const basAnalyze::AnalysisWorkspace& ws, int r, int l)
{
    if (l < 1 || ws.LapRank(r, l) < 1) return QString();
    return basAnalyze::PercentText(ws.LapRatio(r, l));
}

// The class winner: runner 1 when it has a valid total. When it has none (nobody finished, or
// a runner without any leg time sorts first with a total of 0) the first runner with a valid
// total is taken, so that no runner without a result is entered as the winner; 0 if none.
int winnerIndex(const basAnalyze::AnalysisWorkspace& ws)
{
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        if (ws.TotalTime(r) > 0) return r;
    return 0;
}

// The lines of the class last analysed, each with its line end.
QString classLines(const basAnalyze::AnalysisWorkspace& ws)
{
    QString text;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) text += AnalysisCsvLine(r) + LineEnd;
    return text;
}

}  // namespace

QString AnalysisCsvLine(int r)
{
    using basAnalyze::PercentText;
    using CbasGeneral::FormatNumber;
    const basAnalyze::AnalysisWorkspace& ws = basAnalyze::Workspace;
    const RaceHeader& race = basDefinition::RaceInfo;
    const bool hasTotal = ws.TotalTime(r) > 0;
    const bool hasShort = ws.ShortLegRelative(r) != 0;
    const bool hasLong = ws.LongLegRelative(r) != 0;
    const int winner = winnerIndex(ws);

    QStringList fields;
    fields << CbasGeneral::ToWide(CbasGeneral::StripSpaces(ws.RunnerName(r)))
           << ws.RunnerShozoku(r)
           // A race without a date leaves the field empty rather than entering a false date.
           << (race.hasDate() ? CbasGeneral::FormatDate(race.RaceDate, QStringLiteral("yy/mm/dd"))
                              : QString())
           << race.RaceName << ws.AnaClassName << totalText(ws.TotalTime(r))
           << (hasTotal ? QString::number(ws.TotalRank(r)) : QString())
           << QString::number(ws.AnaRunnerCount) << PercentText(ws.CruiseSpeed(r))
           << FormatNumber(basAnalyze::Percent(ws.MissRate(r)), QStringLiteral("##.#"))
           << PercentText(ws.EarlyCruiseSpeed(r)) << PercentText(ws.LateCruiseSpeed(r))
           << PercentText(ws.RelativeValue(r)) << PercentText(ws.EarlyRelative(r))
           << PercentText(ws.LateRelative(r))
           << (hasShort ? PercentText(ws.ShortLegRelative(r)) : QString())
           << (hasShort ? ws.ShortLegList(r) : QString())
           << (hasLong ? PercentText(ws.LongLegRelative(r)) : QString())
           << (hasLong ? ws.LongLegList(r) : QString()) << PercentText(ws.AfterMissRelative(r))
           << rankedLegRatio(ws, r, 1) << rankedLegRatio(ws, r, ws.AnaLegCount)
           << (winner > 0 ? totalText(ws.TotalTime(winner)) : QString())
           << (winner > 0 ? CbasGeneral::StripSpaces(ws.RunnerName(winner)) : QString());
    return fields.join(QLatin1Char(','));
}

bool AppendAnalysisCsv(const QString& folder)
{
    const QString path = CbasGeneral::AddPathSeparator(folder) + QStringLiteral("Analysis.csv");
    QString text;
    const bool created = !CbasGeneral::FileExists(path);
    if (created) text = QString::fromUtf8(HeaderLine) + LineEnd;
    for (const QString& name : basDefinition::ClassList.names()) {
        basAnalyze::AnalyzeClassDetail(name);
        text += classLines(basAnalyze::Workspace);
    }
    // Append mode never truncates: the lines of earlier races stay whatever happens here, and
    // a failed write is cut back to them.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
    const qint64 before = file.size();
    const QByteArray bytes = TextCodec::toCp932(text);
    bool written = file.write(bytes) == bytes.size() && file.flush();
    if (!written) file.resize(before);
    file.close();
    written = written && file.error() == QFileDevice::NoError;
    // A file this call created and could not fill is taken away again: left empty, it would
    // make the next run skip the header line.
    if (!written && created) file.remove();
    return written;
}

}  // namespace basExport
