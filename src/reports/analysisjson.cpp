#include "reports/analysisjson.h"

#include "analysis/analyze.h"
#include "race/race.h"
#include "race/racetime.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <charconv>
#include <cmath>
#include <cstdlib>

namespace basExport {

namespace {

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Table1;
using basAnalyze::Table2;

double seconds(double days)
{
    return days * CbasGeneral::SecondsPerDay;
}

QJsonArray timesOf(const Table1<double>& table)
{
    QJsonArray a;
    for (double v : table.values()) a.append(seconds(v));
    return a;
}

QJsonArray singlesOf(const Table1<float>& table)
{
    QJsonArray a;
    for (float v : table.values()) a.append(SingleValue(v));
    return a;
}

template <typename T, typename Convert>
QJsonArray legsOf(const Table2<T>& table, int r, Convert convert)
{
    QJsonArray a;
    for (int l = 1; l <= table.legCount(); ++l) a.append(convert(table(r, l)));
    return a;
}

}  // namespace

double SecondsOfMilliseconds(double days)
{
    return std::round(seconds(days) * 1000.0) / 1000.0;
}

double SingleValue(float value)
{
    char text[32];
    auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
}

QJsonObject RaceHeaderJson()
{
    const RaceHeader& race = basDefinition::RaceInfo;
    return QJsonObject{
        {"RaceName", race.RaceName},
        {"RaceDate", race.hasDate() ? QJsonValue(race.RaceDate.toString(Qt::ISODate))
                                    : QJsonValue(QJsonValue::Null)},
        {"RacePlace", race.RacePlace},
        {"RaceRemarks", race.RaceRemarks},
    };
}

namespace {

// The class header of the workspace.
QJsonObject classHeader(const AnalysisWorkspace& ws)
{
    return QJsonObject{
        {"AnaClassName", ws.AnaClassName},         {"AnaClassLength", ws.AnaClassLength},
        {"AnaClassUpHeight", ws.AnaClassUpHeight}, {"AnaControlCount", ws.AnaControlCount},
        {"AnaLegCount", ws.AnaLegCount},           {"AnaRunnerCount", ws.AnaRunnerCount},
        {"TopTotal", seconds(ws.TopTotal)},        {"TopAverage", timesOf(ws.TopAverage)},
    };
}

QJsonObject runnerObject(const AnalysisWorkspace& ws, int r, bool detail)
{
    auto time = [](double v) { return seconds(v); };
    auto single = [](float v) { return SingleValue(v); };
    auto whole = [](int v) { return v; };
    QJsonObject o{
        {"RunnerName", ws.RunnerName(r)},
        {"RunnerShozoku", ws.RunnerShozoku(r)},
        {"RunnerStartTime", seconds(ws.RunnerStartTime(r))},
        {"TotalTime", seconds(ws.TotalTime(r))},
        // Only a run with a valid total has a total rank.
        {"TotalRank", ws.TotalTime(r) > 0 ? ws.TotalRank(r) : 0},
        {"Status", RunStatusCode(ws.RunnerStatus(r))},
        {"RelativeValue", SingleValue(ws.RelativeValue(r))},
        {"CruiseTime", seconds(ws.CruiseTime(r))},
        {"CruiseSpeed", SingleValue(ws.CruiseSpeed(r))},
        {"MissTimeTotal", seconds(ws.MissTimeTotal(r))},
        {"MissRate", SingleValue(ws.MissRate(r))},
        {"NoMissTime", seconds(ws.NoMissTime(r))},
        {"LapTime", legsOf(ws.LapTime, r, time)},
        {"LapState", legsOf(ws.LapState, r, whole)},
        {"LapRank", legsOf(ws.LapRank, r, whole)},
        {"SumTime", legsOf(ws.SumTime, r, time)},
        {"SumState", legsOf(ws.SumState, r, whole)},
        {"LapRatio", legsOf(ws.LapRatio, r, single)},
        {"MissTime", legsOf(ws.MissTime, r, time)},
        {"EstLapTime", legsOf(ws.EstLapTime, r, time)},
        {"EstSumTime", legsOf(ws.EstSumTime, r, time)},
        {"EstSumRank", legsOf(ws.EstSumRank, r, whole)},
    };
    if (detail) {
        o.insert("ShortLegRelative", SingleValue(ws.ShortLegRelative(r)));
        o.insert("ShortLegList", ws.ShortLegList(r));
        o.insert("LongLegRelative", SingleValue(ws.LongLegRelative(r)));
        o.insert("LongLegList", ws.LongLegList(r));
        o.insert("EarlyRelative", SingleValue(ws.EarlyRelative(r)));
        o.insert("LateRelative", SingleValue(ws.LateRelative(r)));
        o.insert("EarlyCruiseSpeed", SingleValue(ws.EarlyCruiseSpeed(r)));
        o.insert("LateCruiseSpeed", SingleValue(ws.LateCruiseSpeed(r)));
        o.insert("AfterMissRelative", SingleValue(ws.AfterMissRelative(r)));
    }
    return o;
}

QJsonObject classObject(const QString& name, bool detail)
{
    if (detail)
        basAnalyze::AnalyzeClassDetail(name);
    else
        basAnalyze::AnalyzeClass(name);
    const AnalysisWorkspace& ws = basAnalyze::Workspace;
    const basAnalyze::LegDifficultyTable leg1 = basAnalyze::LegDifficulty(1);
    const basAnalyze::LegDifficultyTable leg2 = basAnalyze::LegDifficulty(2);
    QJsonArray runners;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) runners.append(runnerObject(ws, r, detail));
    QJsonObject o = classHeader(ws);
    o.insert("LegWeight", singlesOf(ws.LegWeight));
    o.insert("Spread1", singlesOf(leg1.Spread));
    o.insert("Difficulty1", singlesOf(leg1.Difficulty));
    o.insert("Spread2", singlesOf(leg2.Spread));
    o.insert("Difficulty2", singlesOf(leg2.Difficulty));
    o.insert("runners", runners);
    return o;
}

}  // namespace

QJsonObject AnalysisJson(const QStringList& classNames, bool detail)
{
    QJsonArray classes;
    for (const QString& name : classNames) classes.append(classObject(name, detail));
    QJsonObject race = RaceHeaderJson();
    race.insert("classes", classes);
    return race;
}

QByteArray ScriptSafeJson(const QJsonObject& object)
{
    QByteArray json = QJsonDocument(object).toJson(QJsonDocument::Compact);
    json.replace("<", "\\u003c");
    json.replace("\xE2\x80\xA8", "\\u2028");
    json.replace("\xE2\x80\xA9", "\\u2029");
    return json;
}

}  // namespace basExport
