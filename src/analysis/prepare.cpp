// Times and ranks of a class: the runner copies, total ranks, lap states, elapsed times, leg
// ranks and top averages.
#include "analysis/analyze.h"
#include "analysis/ranking.h"
#include "analysis/runnerlegs.h"
#include "race/classdata.h"
#include "race/racetime.h"

#include <algorithm>
#include <vector>

namespace basAnalyze {

namespace {

using CbasGeneral::SecondsPerDay;
constexpr double AbsentMark = -2;  // only exactly -2 is an empty entry; other negatives merge

void sizeWorkspace(AnalysisWorkspace& ws, int runners, int legs)
{
    ws.AnaRunnerCount = runners;
    ws.AnaLegCount = legs;
    ws.TopTotal = 0;
    for (Table1<QString>* t :
         {&ws.RunnerName, &ws.RunnerShozoku, &ws.ShortLegList, &ws.LongLegList})
        t->reset(runners);
    for (Table1<double>* t :
         {&ws.RunnerStartTime, &ws.TotalTime, &ws.CruiseTime, &ws.MissTimeTotal, &ws.NoMissTime})
        t->reset(runners);
    for (Table1<float>* t : {&ws.RelativeValue, &ws.CruiseSpeed, &ws.MissRate, &ws.ShortLegRelative,
                             &ws.LongLegRelative, &ws.EarlyRelative, &ws.LateRelative,
                             &ws.EarlyCruiseSpeed, &ws.LateCruiseSpeed, &ws.AfterMissRelative})
        t->reset(runners);
    ws.TotalRank.reset(runners);
    ws.RunnerStatus.reset(runners);
    ws.TopAverage.reset(legs);
    ws.LegWeight.reset(legs);
    for (Table2<double>* t :
         {&ws.LapTime, &ws.SumTime, &ws.MissTime, &ws.EstLapTime, &ws.EstSumTime})
        t->reset(runners, legs);
    for (Table2<int>* t : {&ws.LapState, &ws.LapRank, &ws.SumState, &ws.EstSumRank})
        t->reset(runners, legs);
    ws.LapRatio.reset(runners, legs);
}

// An elapsed time in whole seconds of the day (halves up), as the clock shows it.
double wholeSecondsOfDay(double value)
{
    long long seconds = CbasGeneral::RoundToSeconds(value);
    if (seconds < 0 || seconds >= SecondsPerDay) {
        seconds %= SecondsPerDay;
        if (seconds < 0) seconds += SecondsPerDay;
    }
    return static_cast<double>(seconds) / SecondsPerDay;  // exact for whole seconds
}

// The runners in the class's order (clsClassData::Item): ascending total, runners of equal
// totals in the order they were added. Worked out here, not through Item, whose order is kept
// in the class when first asked for: the analysis only reads the class.
std::vector<const clsClassDataSub*> runnersInOrder(const clsClassData& cls)
{
    std::vector<const clsClassDataSub*> order;
    order.reserve(cls.RunnersAsAdded().size());
    for (const clsClassDataSub& runner : cls.RunnersAsAdded()) order.push_back(&runner);
    std::stable_sort(
        order.begin(), order.end(),
        [](const clsClassDataSub* a, const clsClassDataSub* b) { return a->Total < b->Total; });
    return order;
}

void copyRunners(AnalysisWorkspace& ws, const clsClassData& cls)
{
    const std::vector<const clsClassDataSub*> order = runnersInOrder(cls);
    Ranking totals;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const clsClassDataSub& runner = *order[static_cast<size_t>(r - 1)];
        ws.RunnerName(r) = runner.Namae;
        ws.RunnerShozoku(r) = runner.Shozoku;
        ws.RunnerStartTime(r) = runner.StartTime;
        Row<double> laps = ws.LapTime.row(r);
        for (int l = 1; l <= ws.AnaLegCount; ++l) laps[l] = runner.Lap(l);
        // Ranked on the raw total, so a total of a day or more (no valid result) ranks last.
        totals.add(runner.Total, r);
        // Only an OK run has a valid total: one of a day or more shows as mispunched.
        ws.RunnerStatus(r) = runner.ShownStatus();
        ws.TotalTime(r) = ws.RunnerStatus(r) == RunStatus::Ok ? runner.Total : 0;
    }
    totals.calc();
    for (const Ranking::Entry& e : totals) ws.TotalRank(e.key) = e.rank;
}

// The state of one leg from its own value: a time, a missing split, or a mark whose time comes
// later (or never, when no later leg of the runner holds anything).
int initialState(const RunnerLegs& legs, int l, int lastNonZeroLeg)
{
    double& lap = legs.lapTime[l];
    if (lap == 0) return StateExcluded;
    if (lap > 0) return StateNormal;
    if (lap != AbsentMark) lap = 0;
    return lastNonZeroLeg > l ? StateLater : StateExcluded;
}

// A time after one or more legs without a time covers the legs from the last timed leg on.
// A stretch that starts with an empty entry is excluded as a whole.
void mergeStretch(const RunnerLegs& legs, int l)
{
    int last = 0;
    for (int m = l - 1; m >= 1; --m)
        if (legs.lapTime[m] > 0) {
            last = m;
            break;
        }
    const int first = last + 1;
    if (legs.lapTime[first] != AbsentMark) {
        legs.lapState[l] = first;
        return;
    }
    legs.lapTime[first] = 0;
    for (int m = first; m <= l; ++m) legs.lapState[m] = StateExcluded;
    // Without a time for leg 1 the elapsed time is unknown at every control of the stretch,
    // and (through the previous leg's state) at every later one.
    if (first == 1)
        for (int m = first; m <= l; ++m) legs.sumState[m] = StateExcluded;
}

void lapStatesAndSums(const RunnerLegs& legs)
{
    int lastNonZeroLeg = 0;
    for (int l = 1; l <= legs.legCount; ++l)
        if (legs.lapTime[l] != 0) lastNonZeroLeg = l;

    for (int l = 1; l <= legs.legCount; ++l) {
        const int state = initialState(legs, l, lastNonZeroLeg);
        legs.lapState[l] = state;
        const double lap = legs.lapTime[l];
        if (l == 1) {
            legs.sumTime[1] = lap > 0 ? lap : 0;
            legs.sumState[1] = state;
            continue;
        }
        legs.sumState[l] = legs.sumState[l - 1] == StateExcluded ? StateExcluded : state;
        if (legs.lapState[l - 1] == StateLater && state == StateNormal) mergeStretch(legs, l);
        legs.sumTime[l] = wholeSecondsOfDay(legs.sumTime[l - 1] + (lap > 0 ? lap : 0));
    }
}

bool eligible(const AnalysisWorkspace& ws, int r, int l)
{
    if (ws.LapState(r, l) != StateNormal) return false;
    if (l == 1 || ws.TotalTime(r) > 0) return true;
    return ws.LapState(r, l - 1) >= 0;
}

void legRanksAndTopAverages(AnalysisWorkspace& ws)
{
    Ranking ranking;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        ranking.clear();
        for (int r = 1; r <= ws.AnaRunnerCount; ++r)
            if (eligible(ws, r, l)) ranking.add(ws.LapTime(r, l), r);
        ranking.calc();
        for (const Ranking::Entry& e : ranking) ws.LapRank(e.key, l) = e.rank;

        int top = std::min(ranking.count(), 3);
        double sum = 0;
        for (int k = 1; k <= top; ++k) sum += ranking.at(k).value;
        ws.TopAverage(l) = top > 0 ? sum / top : 0;
    }
}

}  // namespace

AnalysisWorkspace PrepareClass(const clsClassData& cls)
{
    AnalysisWorkspace ws;
    // The race model keeps at most MaxLegs legs per runner.
    sizeWorkspace(ws, cls.ClassRunnerCount(), std::clamp(cls.LegCount(), 0, MaxLegs));
    copyRunners(ws, cls);
    ws.AnaClassName = cls.ClassName;
    ws.AnaClassLength = cls.ClassLength;
    ws.AnaClassUpHeight = cls.ClassUpHeight;
    ws.AnaControlCount = cls.ClassControlCount;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) lapStatesAndSums(RunnerLegs(ws, r));
    legRanksAndTopAverages(ws);
    return ws;
}

}  // namespace basAnalyze
