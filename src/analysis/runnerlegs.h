#pragma once
// Inside the engine: the legs of one runner and the per-leg tables as unchecked 1-based views,
// so that the loops over every runner and leg do not check each index again. The runner index
// is checked once when the view is made.
#include "analysis/workspace.h"

namespace basAnalyze {

struct RunnerLegs {
    RunnerLegs(AnalysisWorkspace& ws, int r)
        : legCount(ws.AnaLegCount),
          topAverage(ws.TopAverage.row()),
          legWeight(ws.LegWeight.row()),
          lapTime(ws.LapTime.row(r)),
          lapState(ws.LapState.row(r)),
          lapRank(ws.LapRank.row(r)),
          sumTime(ws.SumTime.row(r)),
          sumState(ws.SumState.row(r)),
          lapRatio(ws.LapRatio.row(r)),
          missTime(ws.MissTime.row(r)),
          estLapTime(ws.EstLapTime.row(r)),
          estSumTime(ws.EstSumTime.row(r))
    {
    }

    // A ranked normal time or a merged time: the legs the measures are taken on.
    bool counted(int l) const
    {
        return (lapState[l] == StateNormal && lapRank[l] >= 1) || lapState[l] > 0;
    }
    bool rankedNormal(int l) const { return lapState[l] == StateNormal && lapRank[l] >= 1; }
    // The first leg covered by the time of leg l (l itself unless it is merged).
    int firstCovered(int l) const { return lapState[l] > 0 ? lapState[l] : l; }

    int legCount;
    Row<double> topAverage;
    Row<float> legWeight;
    Row<double> lapTime;
    Row<int> lapState;
    Row<int> lapRank;
    Row<double> sumTime;
    Row<int> sumState;
    Row<float> lapRatio;
    Row<double> missTime;
    Row<double> estLapTime;
    Row<double> estSumTime;
};

}  // namespace basAnalyze
