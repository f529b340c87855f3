// Leg difficulty: how widely the miss times of the leading runners spread on each leg,
// relative to the mean spread of the course.
#include "analysis/analyze.h"

#include <cmath>

namespace basAnalyze {

namespace {

// The sample takes the leading 80 % of the field by leg rank.
constexpr double LeadingShare = 0.8;

float legSpread(const AnalysisWorkspace& ws, int l, int minSample)
{
    int n = 0;
    float sum = 0;
    float squares = 0;
    const double rankLimit = LeadingShare * ws.AnaRunnerCount;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        if (ws.TotalTime(r) <= 0 || ws.CruiseSpeed(r) <= 0) continue;
        if (ws.LapState(r, l) != StateNormal || !(ws.LapRank(r, l) < rankLimit)) continue;
        float x = static_cast<float>(ws.MissTime(r, l) / ws.TotalTime(r));
        sum += x;
        squares += x * x;
        ++n;
    }
    // An empty sample has no spread whatever the minimum: it counts as the hardest leg.
    if (n == 0 || n < minSample) return 1;
    // S x S stays single, so that a sample of one gives exactly 0.
    const float sumSquared = sum * sum;
    double variance = (static_cast<double>(n) * squares - sumSquared) /
                      (static_cast<double>(n) * static_cast<double>(n));
    if (variance < 0) variance = 1;
    return static_cast<float>(std::sqrt(variance));
}

}  // namespace

LegDifficultyTable LegDifficulty(const AnalysisWorkspace& ws, int minSample)
{
    LegDifficultyTable result;
    result.Spread.reset(ws.AnaLegCount);
    result.Difficulty.reset(ws.AnaLegCount);
    double total = 0;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        result.Spread(l) = legSpread(ws, l, minSample);
        total += result.Spread(l);
    }
    if (total == 0) total = 1;
    const double mean = ws.AnaLegCount > 0 ? total / ws.AnaLegCount : 1;
    for (int l = 1; l <= ws.AnaLegCount; ++l)
        result.Difficulty(l) = static_cast<float>(result.Spread(l) / mean);
    return result;
}

}  // namespace basAnalyze
