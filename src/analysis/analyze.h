#pragma once
// The analysis engine: derives every measure of one class of the race into the workspace
// (workspace.h). Each call recomputes from the class data and never changes the race.
#include "analysis/workspace.h"

#include <QString>

namespace basAnalyze {

// Class header, runner copies, total ranks, lap states, elapsed times, leg ranks and top
// averages. Returns false, leaving an empty workspace, when no class has that name.
bool PrepareClass(const QString& className);

// PrepareClass, then the leg weights, ratios, relative values, cruise speeds, miss times and
// estimated splits with their cumulative ranks.
bool AnalyzeClass(const QString& className);

// AnalyzeClass, then the short-leg, long-leg, section and after-miss measures.
bool AnalyzeClassDetail(const QString& className);

// The spread of the runners' miss times on every leg and its difficulty (the spread over the
// mean spread of the course). A leg whose sample is smaller than minSample gets spread 1.
// minSample is 1 for the leg view and 2 for the HTML leg table. Read after AnalyzeClass.
struct LegDifficultyTable {
    Table1<float> Spread;      // 1..AnaLegCount
    Table1<float> Difficulty;  // 1..AnaLegCount; shown times 100
};
LegDifficultyTable LegDifficulty(int minSample);

}  // namespace basAnalyze
