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

QJsonObject RaceHeaderJson(const RaceHeader& race)
{
    return QJsonObject{
        {"RaceName", race.RaceName},
        {"RaceDate", race.hasDate() ? QJsonValue(race.RaceDate.toString(Qt::ISODate))
                                    : QJsonValue(QJsonValue::Null)},
        {"RacePlace", race.RacePlace},
        {"RaceRemarks", race.RaceRemarks},
    };
}

namespace {

// The class header of the analysis.
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

// The class analysed afresh.
AnalysisWorkspace analysed(const Race& race, const QString& name, bool detail)
{
    return detail ? basAnalyze::AnalyzeClassDetail(race, name)
                  : basAnalyze::AnalyzeClass(race, name);
}

// The object of a class without the runners.
QJsonObject classHeaderWithLegs(const AnalysisWorkspace& ws)
{
    const basAnalyze::LegDifficultyTable leg1 = basAnalyze::LegDifficulty(ws, 1);
    const basAnalyze::LegDifficultyTable leg2 = basAnalyze::LegDifficulty(ws, 2);
    QJsonObject o = classHeader(ws);
    o.insert("LegWeight", singlesOf(ws.LegWeight));
    o.insert("Spread1", singlesOf(leg1.Spread));
    o.insert("Difficulty1", singlesOf(leg1.Difficulty));
    o.insert("Spread2", singlesOf(leg2.Spread));
    o.insert("Difficulty2", singlesOf(leg2.Difficulty));
    return o;
}

QJsonObject classObject(const AnalysisWorkspace& ws, bool detail)
{
    QJsonObject o = classHeaderWithLegs(ws);
    QJsonArray runners;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) runners.append(runnerObject(ws, r, detail));
    o.insert("runners", runners);
    return o;
}

// Indented JSON text written piece by piece, laid out exactly as QJsonDocument lays it out:
// four spaces a level, an array's elements one a line.
class JsonStream {
public:
    explicit JsonStream(const std::function<void(const QByteArray&)>& write) : write_(write) {}

    // An object at the given depth (its first line indented too).
    void object(const QJsonObject& object, int depth)
    {
        write_(indented(QJsonDocument(object).toJson(QJsonDocument::Indented), depth));
    }

    // An object whose member key, sorting after all its others as the lower-case keys do, holds
    // an array of count elements that element(i, depth) writes one at a time.
    void objectWithArray(QJsonObject object, const QString& key, int count, int depth,
                         const std::function<void(int, int)>& element)
    {
        object.insert(key, QStringLiteral("\u0001"));
        const QByteArray text =
            indented(QJsonDocument(object).toJson(QJsonDocument::Indented), depth);
        const QByteArray member = "\"" + key.toUtf8() + "\": ";
        const QByteArray placeholder = member + "\"\\u0001\"";
        // The last one: a text of the object's other members might hold the same characters.
        const qsizetype at = text.lastIndexOf(placeholder);
        write_(text.left(at) + member + "[\n");
        for (int i = 0; i < count; ++i) {
            if (i > 0) write_(",\n");
            element(i, depth + 2);
        }
        write_((count > 0 ? "\n" : "") + QByteArray(4 * (depth + 1), ' ') + "]" +
               text.mid(at + placeholder.size()));
    }

private:
    // A document's text without its final line end, every line moved depth levels in.
    static QByteArray indented(QByteArray text, int depth)
    {
        text.chop(1);
        const QByteArray pad(4 * depth, ' ');
        return pad + text.replace("\n", "\n" + pad);
    }

    const std::function<void(const QByteArray&)>& write_;
};

}  // namespace

QJsonObject AnalysisJson(const Race& race, const QStringList& classNames, bool detail)
{
    QJsonArray classes;
    for (const QString& name : classNames)
        classes.append(classObject(analysed(race, name, detail), detail));
    QJsonObject object = RaceHeaderJson(race.RaceInfo);
    object.insert("classes", classes);
    return object;
}

void WriteAnalysisJson(const Race& race, const QStringList& classNames, bool detail,
                       const std::function<void(const QByteArray&)>& write)
{
    JsonStream json(write);
    json.objectWithArray(
        RaceHeaderJson(race.RaceInfo), QStringLiteral("classes"), int(classNames.size()), 0,
        [&](int c, int depth) {
            const AnalysisWorkspace ws = analysed(race, classNames[c], detail);
            json.objectWithArray(
                classHeaderWithLegs(ws), QStringLiteral("runners"), ws.AnaRunnerCount, depth,
                [&](int r, int d) { json.object(runnerObject(ws, r + 1, detail), d); });
        });
    write("\n");
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
