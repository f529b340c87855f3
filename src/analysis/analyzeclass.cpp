// The measures of every runner against the top of the class: leg weights, ratios, relative
// value, cruise speed, miss times, and the estimated splits of merged legs.
#include "analysis/analyze.h"
#include "analysis/ranking.h"

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

double stretchTopAverage(const AnalysisWorkspace& ws, int first, int last)
{
    double sum = 0;
    for (int m = first; m <= last; ++m) sum += ws.TopAverage(m);
    return sum;
}

void ratiosAndRelativeValue(AnalysisWorkspace& ws, int r)
{
    double top = 0;
    double time = 0;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        int state = ws.LapState(r, l);
        double lap = ws.LapTime(r, l);
        float ratio = 0;
        if (state == StateNormal && ws.LapRank(r, l) >= 1) {
            ratio = static_cast<float>(lap / ws.TopAverage(l));
            top += ws.TopAverage(l);
            time += lap;
        } else if (state > 0) {
            double stretch = stretchTopAverage(ws, state, l);
            ratio = stretch != 0 ? static_cast<float>(lap / stretch) : 0;
            top += stretch;
            time += lap;
        }
        ws.LapRatio(r, l) = ratio;
    }
    ws.RelativeValue(r) = top != 0 ? static_cast<float>(time / top) : 0;
}

// The runner's best legs, best ratio first, until they cover half of the course by weight.
void cruiseSpeed(AnalysisWorkspace& ws, int r, Ranking& legs)
{
    legs.clear();
    for (int l = 1; l <= ws.AnaLegCount; ++l)
        if (ws.LapRatio(r, l) != 0) legs.add(ws.LapRatio(r, l), l);
    legs.calc();

    float weight = 0;
    double time = 0;
    for (const Ranking::Entry& e : legs) {
        int l = e.key;
        int first = ws.LapState(r, l) > 0 ? ws.LapState(r, l) : l;
        for (int m = first; m <= l; ++m) weight += ws.LegWeight(m);
        time += ws.LapTime(r, l);
        if (weight >= CruiseShare) break;
    }
    ws.CruiseTime(r) = weight != 0 ? time / weight : 0;
    ws.CruiseSpeed(r) = ws.TopTotal > 0 ? static_cast<float>(ws.CruiseTime(r) / ws.TopTotal) : 0;
}

void missTimes(AnalysisWorkspace& ws, int r)
{
    double counted = 0;
    double total = 0;
    const double speed = ws.CruiseSpeed(r);
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        int state = ws.LapState(r, l);
        double miss = 0;
        if (ws.Counted(r, l)) {
            int first = state > 0 ? state : l;
            double pace = 0;
            for (int m = first; m <= l; ++m) pace += speed * ws.TopAverage(m);
            miss = ws.LapTime(r, l) - pace;
            counted += ws.LapTime(r, l);
        }
        ws.MissTime(r, l) = miss;
        // Legs run faster than the cruise pace keep their negative value but do not offset.
        if (miss > 0) total += miss;
    }
    ws.MissTimeTotal(r) = total;
    double finish = ws.AnaLegCount > 0 ? ws.SumTime(r, ws.AnaLegCount) : 0;
    ws.NoMissTime(r) = finish - total;
    ws.MissRate(r) = counted != 0 ? static_cast<float>(total / counted) : 0;
}

// A merged time spread over the legs it covers in proportion to their weights; the estimated
// elapsed time at the end of the stretch equals the real one.
void estimatedSplits(AnalysisWorkspace& ws, int r)
{
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        ws.EstSumTime(r, l) = ws.SumTime(r, l);
        ws.EstLapTime(r, l) = ws.LapTime(r, l);
    }
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        int first = ws.LapState(r, l);
        if (first <= 0) continue;
        double stretch = 0;
        for (int m = first; m <= l; ++m) stretch += ws.LegWeight(m);
        if (stretch <= 0) continue;
        const double lap = ws.LapTime(r, l);
        double covered = 0;
        for (int m = first; m <= l; ++m) {
            covered += ws.LegWeight(m);
            ws.EstSumTime(r, m) = ws.SumTime(r, l) - (1 - covered / stretch) * lap;
            ws.EstLapTime(r, m) = ws.LegWeight(m) * lap / stretch;
        }
    }
}

void estimatedRanks(AnalysisWorkspace& ws)
{
    Ranking ranking;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        ranking.clear();
        for (int r = 1; r <= ws.AnaRunnerCount; ++r)
            if (ws.EstLapTime(r, l) > 0 && ws.SumState(r, l) >= StateLater)
                ranking.add(ws.EstSumTime(r, l), r);
        ranking.calc();
        // Runners without a positive estimated leg time keep rank 0, as do runners whose
        // elapsed time is invalid (no view shows a rank for them).
        for (const Ranking::Entry& e : ranking) ws.EstSumRank(e.key, l) = e.rank;
    }
}

}  // namespace

bool AnalyzeClass(const QString& className)
{
    bool found = PrepareClass(className);
    AnalysisWorkspace& ws = Workspace;
    legWeights(ws);
    Ranking legs;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        ratiosAndRelativeValue(ws, r);
        cruiseSpeed(ws, r, legs);
        missTimes(ws, r);
        estimatedSplits(ws, r);
    }
    estimatedRanks(ws);
    return found;
}

}  // namespace basAnalyze
