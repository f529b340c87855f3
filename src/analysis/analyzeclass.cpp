// The measures of every runner against the top of the class: leg weights, ratios, relative
// value, cruise speed, miss times, and the estimated splits of merged legs.
#include "analysis/analyze.h"
#include "analysis/ranking.h"
#include "analysis/runnerlegs.h"

namespace basAnalyze {

namespace {

// The cruise walk covers at least half of the course by top-average time.
constexpr float CruiseShare = 0.5f;

void legWeights(AnalysisWorkspace& ws)
{
    ws.TopTotal = 0;
    for (int l = 1; l <= ws.AnaLegCount; ++l) ws.TopTotal += ws.TopAverage(l);
    // Without any ranked leg there is no course to weigh: every weight stays 0.
    for (int l = 1; l <= ws.AnaLegCount; ++l)
        ws.LegWeight(l) = ws.TopTotal > 0 ? static_cast<float>(ws.TopAverage(l) / ws.TopTotal) : 0;
}

double stretchTopAverage(const RunnerLegs& legs, int first, int last)
{
    double sum = 0;
    for (int m = first; m <= last; ++m) sum += legs.topAverage[m];
    return sum;
}

void ratiosAndRelativeValue(AnalysisWorkspace& ws, int r, const RunnerLegs& legs)
{
    double top = 0;
    double time = 0;
    for (int l = 1; l <= legs.legCount; ++l) {
        const int state = legs.lapState[l];
        const double lap = legs.lapTime[l];
        float ratio = 0;
        if (legs.rankedNormal(l)) {
            ratio = static_cast<float>(lap / legs.topAverage[l]);
            top += legs.topAverage[l];
            time += lap;
        } else if (state > 0) {
            double stretch = stretchTopAverage(legs, state, l);
            ratio = stretch != 0 ? static_cast<float>(lap / stretch) : 0;
            top += stretch;
            time += lap;
        }
        legs.lapRatio[l] = ratio;
    }
    ws.RelativeValue(r) = top != 0 ? static_cast<float>(time / top) : 0;
}

// The runner's best legs, best ratio first, until they cover half of the course by weight.
void cruiseSpeed(AnalysisWorkspace& ws, int r, const RunnerLegs& legs, FloatOrder& order)
{
    order.clear();
    for (int l = 1; l <= legs.legCount; ++l)
        if (legs.lapRatio[l] != 0) order.add(legs.lapRatio[l], l);
    order.sort();

    float weight = 0;
    double time = 0;
    for (int position = 1; position <= order.count(); ++position) {
        const int l = order.key(position);
        for (int m = legs.firstCovered(l); m <= l; ++m) weight += legs.legWeight[m];
        time += legs.lapTime[l];
        if (weight >= CruiseShare) break;
    }
    ws.CruiseTime(r) = weight != 0 ? time / weight : 0;
    ws.CruiseSpeed(r) = ws.TopTotal > 0 ? static_cast<float>(ws.CruiseTime(r) / ws.TopTotal) : 0;
}

void missTimes(AnalysisWorkspace& ws, int r, const RunnerLegs& legs)
{
    double counted = 0;
    double total = 0;
    const double speed = ws.CruiseSpeed(r);
    for (int l = 1; l <= legs.legCount; ++l) {
        double miss = 0;
        if (legs.counted(l)) {
            double pace = 0;
            for (int m = legs.firstCovered(l); m <= l; ++m) pace += speed * legs.topAverage[m];
            miss = legs.lapTime[l] - pace;
            counted += legs.lapTime[l];
        }
        legs.missTime[l] = miss;
        // Legs run faster than the cruise pace keep their negative value but do not offset.
        if (miss > 0) total += miss;
    }
    ws.MissTimeTotal(r) = total;
    const double finish = legs.legCount > 0 ? legs.sumTime[legs.legCount] : 0;
    ws.NoMissTime(r) = finish - total;
    ws.MissRate(r) = counted != 0 ? static_cast<float>(total / counted) : 0;
}

// A merged time spread over the legs it covers in proportion to their weights; the estimated
// elapsed time at the end of the stretch equals the real one.
void estimatedSplits(const RunnerLegs& legs)
{
    for (int l = 1; l <= legs.legCount; ++l) {
        legs.estSumTime[l] = legs.sumTime[l];
        legs.estLapTime[l] = legs.lapTime[l];
    }
    for (int l = 1; l <= legs.legCount; ++l) {
        const int first = legs.lapState[l];
        if (first <= 0) continue;
        double stretch = 0;
        for (int m = first; m <= l; ++m) stretch += legs.legWeight[m];
        if (stretch <= 0) continue;
        const double lap = legs.lapTime[l];
        double covered = 0;
        for (int m = first; m <= l; ++m) {
            covered += legs.legWeight[m];
            legs.estSumTime[m] = legs.sumTime[l] - (1 - covered / stretch) * lap;
            legs.estLapTime[m] = legs.legWeight[m] * lap / stretch;
        }
    }
}

void estimatedRanks(AnalysisWorkspace& ws)
{
    // At the finish the elapsed time is the run's total: a run that is not OK has no rank there.
    const int finishLeg = ws.AnaLegCount > ws.AnaControlCount ? ws.AnaLegCount : 0;
    Ranking ranking;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        ranking.clear();
        for (int r = 1; r <= ws.AnaRunnerCount; ++r)
            if (ws.EstLapTime(r, l) > 0 && ws.SumState(r, l) >= StateLater &&
                (l != finishLeg || ws.RunnerStatus(r) == RunStatus::Ok))
                ranking.add(ws.EstSumTime(r, l), r);
        ranking.calc();
        // Runners without a positive estimated leg time keep rank 0, as do runners whose
        // elapsed time is invalid (no view shows a rank for them).
        for (const Ranking::Entry& e : ranking) ws.EstSumRank(e.key, l) = e.rank;
    }
}

}  // namespace

AnalysisWorkspace AnalyzeClass(const clsClassData& cls)
{
    AnalysisWorkspace ws = PrepareClass(cls);
    legWeights(ws);
    FloatOrder order;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const RunnerLegs legs(ws, r);
        ratiosAndRelativeValue(ws, r, legs);
        cruiseSpeed(ws, r, legs, order);
        missTimes(ws, r, legs);
        estimatedSplits(legs);
    }
    estimatedRanks(ws);
    return ws;
}

}  // namespace basAnalyze
