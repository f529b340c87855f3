#include "reports/viewerdata.h"

#include "analysis/analyze.h"
#include "race/runstatus.h"
#include "reports/analysisjson.h"

#include <QJsonArray>

#include <cmath>
#include <map>

namespace basExport {

const char PackedDigits[91] =
    "#$%&'()*+,-./0123456789:;=>?@ABCDEFGHIJKLMNOPQRSTUVWXYZ[]^_`abcdefghijklmnopqrstuvwxyz{|}~";

QString PackedText(const std::vector<int>& values, int width)
{
    QString text(static_cast<qsizetype>(values.size()) * width, QLatin1Char('#'));
    qsizetype end = 0;
    for (int value : values) {
        end += width;
        for (qsizetype at = end - 1; at >= end - width; --at) {
            text[at] = QLatin1Char(PackedDigits[value % 90]);
            value /= 90;
        }
    }
    return text;
}

int PackedWidth(const std::vector<int>& values)
{
    int width = 1;
    for (int value : values) {
        long long limit = 90;
        int digits = 1;
        while (value >= limit) {
            limit *= 90;
            ++digits;
        }
        width = std::max(width, digits);
    }
    return width;
}

namespace {

using basAnalyze::AnalysisWorkspace;

// The shown forms, worked out as the page shows them, so that the page needs no more.

// A ratio as the whole percentage of the page: the single value times 100 in single precision,
// halves up.
int shownPercent(float ratio)
{
    const float hundredfold = static_cast<float>(static_cast<double>(ratio) * 100.0);
    return static_cast<int>(std::floor(static_cast<double>(hundredfold) + 0.5));
}

// A share in tenths of a percent ("#0.0" shown as tenths / 10).
int shownTenths(float ratio)
{
    const float hundredfold = static_cast<float>(static_cast<double>(ratio) * 100.0);
    return static_cast<int>(std::floor(static_cast<double>(hundredfold) * 10.0 + 0.5));
}

// Whole seconds as the page rounds a time: halves away from zero, with an allowance for
// values such as 4.9999999 seconds.
int shownSeconds(double days)
{
    const double s = SecondsOfMilliseconds(days);
    const int whole = static_cast<int>(std::floor(std::fabs(s) + 0.5 + 1e-7));
    return s < 0 ? -whole : whole;
}

// The leg times of the class in whole seconds when every one is whole, otherwise in
// milliseconds; scale is the number of units in a second.
struct LapColumn {
    int scale = 1;
    std::vector<int> codes;                    // 0 the empty-entry mark, else 1 + the time in units
    std::vector<std::vector<double>> seconds;  // the times as the page reads them back
};

LapColumn lapColumn(const AnalysisWorkspace& ws)
{
    LapColumn column;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const double s = SecondsOfMilliseconds(ws.LapTime(r, l));
            if (s > 0 && s != std::floor(s)) column.scale = 1000;
        }
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        std::vector<double> legs;
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const double v = ws.LapTime(r, l);
            const int units =
                v < 0 ? -1
                      : static_cast<int>(std::llround(SecondsOfMilliseconds(v) * column.scale));
            column.codes.push_back(units + 1);
            legs.push_back(units < 0 ? -2.0 * 86400 : units / double(column.scale));
        }
        column.seconds.push_back(legs);
    }
    return column;
}

QJsonObject packedColumn(const std::vector<int>& values)
{
    const int width = PackedWidth(values);
    return QJsonObject{{"width", width}, {"text", PackedText(values, width)}};
}

template <typename T>
std::vector<int> wholeValues(const basAnalyze::Table2<T>& table)
{
    std::vector<int> values;
    for (int r = 1; r <= table.runnerCount(); ++r)
        for (int l = 1; l <= table.legCount(); ++l)
            values.push_back(std::max(0, static_cast<int>(table(r, l))));
    return values;
}

// The elapsed times as the page works them out: the running sum of the positive leg times, and
// inside a merged stretch (legs k..l) the merged time spread over its legs by their top
// averages, as the analysis spreads it.
std::vector<double> pageElapsed(const AnalysisWorkspace& ws, int r, const std::vector<double>& lap,
                                const std::vector<double>& top)
{
    const size_t legs = lap.size();
    std::vector<double> elapsed(legs);
    double sum = 0;
    for (size_t l = 0; l < legs; ++l) {
        if (lap[l] > 0) sum += lap[l];
        elapsed[l] = sum;
    }
    for (size_t l = 0; l < legs; ++l) {
        const int state = ws.LapState(r, static_cast<int>(l) + 1);
        if (state <= 0) continue;
        const size_t k = static_cast<size_t>(state - 1);
        double weight = 0;
        for (size_t m = k; m <= l; ++m) weight += top[m];
        if (weight <= 0) continue;
        double covered = 0;
        for (size_t m = k; m <= l; ++m) {
            covered += top[m];
            elapsed[m] = elapsed[l] - (1 - covered / weight) * lap[l];
        }
    }
    return elapsed;
}

// Whole seconds as the page shows a time.
long long shownWhole(double s)
{
    return static_cast<long long>(std::floor(std::fabs(s) + 0.5 + 1e-7)) * (s < 0 ? -1 : 1);
}

// The elapsed times of the runners for whom the page's own reckoning would not show the
// analysis' times (to the millisecond and in the seconds shown): runner index -> times.
QJsonObject elapsedExceptions(const AnalysisWorkspace& ws, const LapColumn& laps)
{
    std::vector<double> top;
    for (int l = 1; l <= ws.AnaLegCount; ++l)
        top.push_back(SecondsOfMilliseconds(ws.TopAverage(l)));
    QJsonObject exceptions;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const std::vector<double> page =
            pageElapsed(ws, r, laps.seconds[static_cast<size_t>(r - 1)], top);
        bool same = true;
        QJsonArray times;
        for (int l = 1; l <= ws.AnaLegCount; ++l) {
            const double real = SecondsOfMilliseconds(ws.EstSumTime(r, l));
            const double mine = page[static_cast<size_t>(l - 1)];
            same = same && std::fabs(mine - real) < 0.001 && shownWhole(mine) == shownWhole(real);
            times.append(real);
        }
        if (!same) exceptions.insert(QString::number(r - 1), times);
    }
    return exceptions;
}

// The status codes of the class's runs, "" for an OK run; nothing when every run is OK.
QJsonValue statusColumn(const AnalysisWorkspace& ws)
{
    QJsonArray codes;
    bool any = false;
    for (RunStatus status : ws.RunnerStatus.values()) {
        any = any || status != RunStatus::Ok;
        codes.append(status == RunStatus::Ok ? QString() : RunStatusCode(status));
    }
    return any ? QJsonValue(codes) : QJsonValue(0);
}

template <typename T, typename Convert>
QJsonArray columnOf(const basAnalyze::Table1<T>& table, Convert convert)
{
    QJsonArray a;
    for (const T& v : table.values()) a.append(convert(v));
    return a;
}

// A state column (values from -2 up): packed legs, plus 2, of the runners whose states are not
// all 0, the common case, by runner index.
QJsonObject stateColumnOf(const basAnalyze::Table2<int>& table)
{
    std::map<int, std::vector<int>> odd;
    std::vector<int> all;
    for (int r = 1; r <= table.runnerCount(); ++r) {
        std::vector<int> legs;
        bool allNormal = true;
        for (int l = 1; l <= table.legCount(); ++l) {
            legs.push_back(table(r, l) + 2);
            allNormal = allNormal && table(r, l) == 0;
        }
        if (allNormal) continue;
        all.insert(all.end(), legs.begin(), legs.end());
        odd[r - 1] = legs;
    }
    const int width = PackedWidth(all);
    QJsonObject runners;
    for (const auto& [index, legs] : odd)
        runners.insert(QString::number(index), PackedText(legs, width));
    return QJsonObject{{"width", width}, {"runners", runners}};
}

QJsonObject viewerClassObject(const AnalysisWorkspace& ws)
{
    const auto time = [](double v) { return SecondsOfMilliseconds(v); };
    const auto same = [](const auto& v) { return v; };
    const LapColumn laps = lapColumn(ws);
    QJsonObject o{
        {"AnaClassName", ws.AnaClassName},
        {"AnaClassLength", ws.AnaClassLength},
        {"AnaClassUpHeight", ws.AnaClassUpHeight},
        {"AnaControlCount", ws.AnaControlCount},
        {"AnaLegCount", ws.AnaLegCount},
        {"AnaRunnerCount", ws.AnaRunnerCount},
        {"TopTotal", time(ws.TopTotal)},
        {"TopAverage", columnOf(ws.TopAverage, time)},
        {"Difficulty2", columnOf(basAnalyze::LegDifficulty(ws, 2).Difficulty,
                                 [](float v) { return std::floor(SingleValue(v) * 100 + 0.5); })},
        {"RunnerName", columnOf(ws.RunnerName, same)},
        {"RunnerShozoku", columnOf(ws.RunnerShozoku, same)},
        {"RunnerStartTime", columnOf(ws.RunnerStartTime, time)},
        {"TotalTime", columnOf(ws.TotalTime, time)},
        {"Status", statusColumn(ws)},
        {"RelativeValue", columnOf(ws.RelativeValue, shownPercent)},
        {"CruiseSpeed", columnOf(ws.CruiseSpeed, [](float v) { return SingleValue(v); })},
        {"MissTimeTotal", columnOf(ws.MissTimeTotal, shownSeconds)},
        {"MissRate", columnOf(ws.MissRate, shownTenths)},
        {"NoMissTime", columnOf(ws.NoMissTime, shownSeconds)},
        {"LapScale", laps.scale},
        {"LapTime", packedColumn(laps.codes)},
        {"LapState", stateColumnOf(ws.LapState)},
        {"LapRank", packedColumn(wholeValues(ws.LapRank))},
        {"SumState", stateColumnOf(ws.SumState)},
        {"EstSumTime", elapsedExceptions(ws, laps)},
        {"EstSumRank", packedColumn(wholeValues(ws.EstSumRank))},
    };
    return o;
}

}  // namespace

QJsonObject ViewerJson(const Race& race, const QStringList& classNames)
{
    QJsonArray classes;
    for (const QString& name : classNames)
        classes.append(viewerClassObject(basAnalyze::AnalyzeClass(race, name)));
    QJsonObject object = RaceHeaderJson(race.RaceInfo);
    object.insert("classes", classes);
    return object;
}

}  // namespace basExport
