#pragma once
// The analysis engine: derives every measure of one class of the race and returns them as an
// analysis (workspace.h). Each call recomputes from the class data and only reads it, so
// classes may be analysed on several threads at once.
#include "analysis/workspace.h"

#include <QString>

class clsClassData;
struct Race;

namespace basAnalyze {

// Class header, runner copies, total ranks, lap states, elapsed times, leg ranks and top
// averages.
AnalysisWorkspace PrepareClass(const clsClassData& cls);

// PrepareClass, then the leg weights, ratios, relative values, cruise speeds, miss times and
// estimated splits with their cumulative ranks.
AnalysisWorkspace AnalyzeClass(const clsClassData& cls);

// AnalyzeClass, then the short-leg, long-leg, section and after-miss measures.
AnalysisWorkspace AnalyzeClassDetail(const clsClassData& cls);

// The same for the class of that name (letter case ignored) in the race, under the name as
// given. Without such a class: an analysis of no runners and no legs that holds only the name.
AnalysisWorkspace PrepareClass(const Race& race, const QString& className);
AnalysisWorkspace AnalyzeClass(const Race& race, const QString& className);
AnalysisWorkspace AnalyzeClassDetail(const Race& race, const QString& className);

// The spread of the runners' miss times on every leg and its difficulty (the spread over the
// mean spread of the course). A leg whose sample is smaller than minSample gets spread 1.
// minSample is 1 for the leg view and 2 for the HTML leg table. The analysis must be one of
// AnalyzeClass or AnalyzeClassDetail.
struct LegDifficultyTable {
    Table1<float> Spread;      // 1..AnaLegCount
    Table1<float> Difficulty;  // 1..AnaLegCount; shown times 100
};
LegDifficultyTable LegDifficulty(const AnalysisWorkspace& ws, int minSample);

}  // namespace basAnalyze
