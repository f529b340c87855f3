// splitduel-cli analyse FILE [--class NAME] [--detail]: the analysis of every class (or of
// one) as JSON on standard output, keyed by the names of the analysis workspace. Times are in
// seconds, ratios as fractions, per-leg arrays start with leg 1.
#include "analysis/analyze.h"
#include "cli/commands.h"
#include "race/race.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <charconv>
#include <cstdlib>

namespace cli {
namespace {

using basAnalyze::AnalysisWorkspace;
using basAnalyze::Table1;
using basAnalyze::Table2;

const QString kClassOption = QStringLiteral("--class");
const QString kDetailOption = QStringLiteral("--detail");

double seconds(double days)
{
    return days * 86400.0;
}

// A single-precision value written with the shortest digits that read back as the same float
// (0.8108108 rather than the 17 digits of its double).
double singleValue(float value)
{
    char text[32];
    auto end = std::to_chars(text, text + sizeof text - 1, value).ptr;
    *end = '\0';
    return std::strtod(text, nullptr);
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
    for (float v : table.values()) a.append(singleValue(v));
    return a;
}

template <typename T, typename Convert>
QJsonArray legsOf(const Table2<T>& table, int r, Convert convert)
{
    QJsonArray a;
    for (int l = 1; l <= table.legCount(); ++l) a.append(convert(table(r, l)));
    return a;
}

QJsonObject runnerObject(const AnalysisWorkspace& ws, int r, bool detail)
{
    auto time = [](double v) { return seconds(v); };
    auto single = [](float v) { return singleValue(v); };
    auto whole = [](int v) { return v; };
    QJsonObject o{
        {"RunnerName", ws.RunnerName(r)},
        {"RunnerShozoku", ws.RunnerShozoku(r)},
        {"RunnerStartTime", seconds(ws.RunnerStartTime(r))},
        {"TotalTime", seconds(ws.TotalTime(r))},
        {"TotalRank", ws.TotalRank(r)},
        {"RelativeValue", singleValue(ws.RelativeValue(r))},
        {"CruiseTime", seconds(ws.CruiseTime(r))},
        {"CruiseSpeed", singleValue(ws.CruiseSpeed(r))},
        {"MissTimeTotal", seconds(ws.MissTimeTotal(r))},
        {"MissRate", singleValue(ws.MissRate(r))},
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
        o.insert("ShortLegRelative", singleValue(ws.ShortLegRelative(r)));
        o.insert("ShortLegList", ws.ShortLegList(r));
        o.insert("LongLegRelative", singleValue(ws.LongLegRelative(r)));
        o.insert("LongLegList", ws.LongLegList(r));
        o.insert("EarlyRelative", singleValue(ws.EarlyRelative(r)));
        o.insert("LateRelative", singleValue(ws.LateRelative(r)));
        o.insert("EarlyCruiseSpeed", singleValue(ws.EarlyCruiseSpeed(r)));
        o.insert("LateCruiseSpeed", singleValue(ws.LateCruiseSpeed(r)));
        o.insert("AfterMissRelative", singleValue(ws.AfterMissRelative(r)));
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
    return QJsonObject{
        {"AnaClassName", ws.AnaClassName},
        {"AnaClassLength", ws.AnaClassLength},
        {"AnaClassUpHeight", ws.AnaClassUpHeight},
        {"AnaControlCount", ws.AnaControlCount},
        {"AnaLegCount", ws.AnaLegCount},
        {"AnaRunnerCount", ws.AnaRunnerCount},
        {"TopTotal", seconds(ws.TopTotal)},
        {"TopAverage", timesOf(ws.TopAverage)},
        {"LegWeight", singlesOf(ws.LegWeight)},
        {"Spread1", singlesOf(leg1.Spread)},
        {"Difficulty1", singlesOf(leg1.Difficulty)},
        {"Spread2", singlesOf(leg2.Spread)},
        {"Difficulty2", singlesOf(leg2.Difficulty)},
        {"runners", runners},
    };
}

QJsonObject raceObject(const QStringList& classNames, bool detail)
{
    const RaceHeader& race = basDefinition::RaceInfo;
    QJsonArray classes;
    for (const QString& name : classNames) classes.append(classObject(name, detail));
    return QJsonObject{
        {"RaceName", race.RaceName},
        {"RaceDate", race.hasDate() ? QJsonValue(race.RaceDate.toString(Qt::ISODate))
                                    : QJsonValue(QJsonValue::Null)},
        {"RacePlace", race.RacePlace},
        {"RaceRemarks", race.RaceRemarks},
        {"classes", classes},
    };
}

int run(const Arguments& args, Console& console)
{
    if (int status = LoadRace(args.positional[0], args, console); status != ExitDone) return status;
    QStringList classNames = basDefinition::ClassList.names();
    if (args.isSet(kClassOption)) {
        const auto found = FindClasses({args.value(kClassOption)}, console);
        if (!found) return ExitUsage;
        classNames = QStringList{found->front()->ClassName};
    }
    const bool detail = args.isSet(kDetailOption);
    console.out << QString::fromUtf8(
        QJsonDocument(raceObject(classNames, detail)).toJson(QJsonDocument::Indented));
    return ExitDone;
}

}  // namespace

const Command& AnalyseCommand()
{
    static const Command command{
        "analyse",
        {QStringLiteral("FILE")},
        {TextOption(kClassOption, QStringLiteral("NAME")), Flag(kDetailOption)},
        "クラスごとの分析結果をJSONで出力します",
        run};
    return command;
}

}  // namespace cli
