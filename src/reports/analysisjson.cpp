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

// Seconds to the millisecond: whole seconds come out whole (239, not 239.00000000000003).
double milliseconds(double days)
{
    return std::round(seconds(days) * 1000.0) / 1000.0;
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

QJsonObject raceHeader()
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
    auto single = [](float v) { return singleValue(v); };
    auto whole = [](int v) { return v; };
    QJsonObject o{
        {"RunnerName", ws.RunnerName(r)},
        {"RunnerShozoku", ws.RunnerShozoku(r)},
        {"RunnerStartTime", seconds(ws.RunnerStartTime(r))},
        {"TotalTime", seconds(ws.TotalTime(r))},
        // Only a run with a valid total has a total rank.
        {"TotalRank", ws.TotalTime(r) > 0 ? ws.TotalRank(r) : 0},
        {"Status", RunStatusCode(ws.RunnerStatus(r))},
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

// The class analysed afresh, and its object without the runners.
QJsonObject analysedClassHeader(const QString& name, bool detail)
{
    if (detail)
        basAnalyze::AnalyzeClassDetail(name);
    else
        basAnalyze::AnalyzeClass(name);
    const AnalysisWorkspace& ws = basAnalyze::Workspace;
    const basAnalyze::LegDifficultyTable leg1 = basAnalyze::LegDifficulty(1);
    const basAnalyze::LegDifficultyTable leg2 = basAnalyze::LegDifficulty(2);
    QJsonObject o = classHeader(ws);
    o.insert("LegWeight", singlesOf(ws.LegWeight));
    o.insert("Spread1", singlesOf(leg1.Spread));
    o.insert("Difficulty1", singlesOf(leg1.Difficulty));
    o.insert("Spread2", singlesOf(leg2.Spread));
    o.insert("Difficulty2", singlesOf(leg2.Difficulty));
    return o;
}

QJsonObject classObject(const QString& name, bool detail)
{
    QJsonObject o = analysedClassHeader(name, detail);
    const AnalysisWorkspace& ws = basAnalyze::Workspace;
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

// One column of a per-runner value.
template <typename T, typename Convert>
QJsonArray columnOf(const Table1<T>& table, Convert convert)
{
    QJsonArray a;
    for (const T& v : table.values()) a.append(convert(v));
    return a;
}

// One column of a per-leg table: an array of legs per runner.
template <typename T, typename Convert>
QJsonArray legColumnOf(const Table2<T>& table, Convert convert)
{
    QJsonArray a;
    for (int r = 1; r <= table.runnerCount(); ++r) a.append(legsOf(table, r, convert));
    return a;
}

// A state column: 0 stands for a runner whose every leg is 0, the common case.
QJsonArray stateColumnOf(const Table2<int>& table)
{
    QJsonArray a;
    for (int r = 1; r <= table.runnerCount(); ++r) {
        bool allNormal = true;
        for (int l = 1; l <= table.legCount() && allNormal; ++l) allNormal = table(r, l) == 0;
        a.append(allNormal ? QJsonValue(0) : QJsonValue(legsOf(table, r, [](int v) { return v; })));
    }
    return a;
}

QJsonObject viewerClassObject(const QString& name)
{
    basAnalyze::AnalyzeClass(name);
    const AnalysisWorkspace& ws = basAnalyze::Workspace;
    const auto time = [](double v) { return milliseconds(v); };
    const auto single = [](float v) { return singleValue(v); };
    const auto same = [](const auto& v) { return v; };
    QJsonArray labels;
    for (int l = 1; l <= ws.AnaLegCount; ++l)
        labels.append(CbasGeneral::LegLabel(ws.AnaControlCount, true, l));
    QJsonObject o = classHeader(ws);
    o.insert("LegLabel", labels);
    o.insert("Difficulty2", singlesOf(basAnalyze::LegDifficulty(2).Difficulty));
    o.insert("RunnerName", columnOf(ws.RunnerName, same));
    o.insert("RunnerShozoku", columnOf(ws.RunnerShozoku, same));
    o.insert("RunnerStartTime", columnOf(ws.RunnerStartTime, time));
    o.insert("TotalTime", columnOf(ws.TotalTime, time));
    o.insert("TotalRank", columnOf(ws.TotalRank, same));
    o.insert("RelativeValue", columnOf(ws.RelativeValue, single));
    o.insert("CruiseTime", columnOf(ws.CruiseTime, time));
    o.insert("CruiseSpeed", columnOf(ws.CruiseSpeed, single));
    o.insert("MissTimeTotal", columnOf(ws.MissTimeTotal, time));
    o.insert("MissRate", columnOf(ws.MissRate, single));
    o.insert("NoMissTime", columnOf(ws.NoMissTime, time));
    o.insert("LapTime", legColumnOf(ws.LapTime, time));
    o.insert("LapState", stateColumnOf(ws.LapState));
    o.insert("LapRank", legColumnOf(ws.LapRank, same));
    o.insert("SumState", stateColumnOf(ws.SumState));
    o.insert("EstSumTime", legColumnOf(ws.EstSumTime, time));
    o.insert("EstSumRank", legColumnOf(ws.EstSumRank, same));
    return o;
}

}  // namespace

QJsonObject AnalysisJson(const QStringList& classNames, bool detail)
{
    QJsonArray classes;
    for (const QString& name : classNames) classes.append(classObject(name, detail));
    QJsonObject race = raceHeader();
    race.insert("classes", classes);
    return race;
}

void WriteAnalysisJson(const QStringList& classNames, bool detail,
                       const std::function<void(const QByteArray&)>& write)
{
    JsonStream json(write);
    json.objectWithArray(
        raceHeader(), QStringLiteral("classes"), int(classNames.size()), 0, [&](int c, int depth) {
            const QJsonObject header = analysedClassHeader(classNames[c], detail);
            const AnalysisWorkspace& ws = basAnalyze::Workspace;
            json.objectWithArray(
                header, QStringLiteral("runners"), ws.AnaRunnerCount, depth,
                [&](int r, int d) { json.object(runnerObject(ws, r + 1, detail), d); });
        });
    write("\n");
}

QJsonObject ViewerJson(const QStringList& classNames)
{
    QJsonArray classes;
    for (const QString& name : classNames) classes.append(viewerClassObject(name));
    QJsonObject race = raceHeader();
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
