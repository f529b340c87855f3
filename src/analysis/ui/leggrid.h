#pragma once
// The leg analysis table: per leg its share of the course, top average and difficulty, two
// reference runners' times with ranks, and the six fastest runners on the leg; the last row
// holds the totals. The class's first three runners are coloured wherever they appear.
#include "analysis/analyze.h"
#include "analysis/ui/cellgrid.h"
#include "analysis/workspace.h"

#include <cstdint>

namespace LegGrid {

constexpr int ColumnCount = 14;
constexpr int ReferenceColumn = 5;  // reference runner i is column 5 + i
constexpr int FirstLeaderColumn = 8;
constexpr int LeaderCount = 6;

// Text and background colour of a runner by its place in the class (Windows colours).
std::uint32_t RunnerForeColor(int r);
std::uint32_t RunnerBackColor(int r);

// The runners' labels in the leaders cells (index r - 1): as much of each name as tells it apart
// from the others of the class, in 6 columns at most ("中川慎" beside "中川健").
QStringList LeaderLabels(const basAnalyze::AnalysisWorkspace& ws);
// A leaders cell: the label in 6 columns, then the time.
QString LegLeaderText(const QString& label, double lapTime);
QString TotalLeaderText(const QString& label, double totalTime);

// The reference column cell of runner r on leg l, or of its total for l = AnaLegCount + 1.
QString ReferenceText(const basAnalyze::AnalysisWorkspace& ws, int r, int l);

// Builds the whole table except the reference columns.
void Fill(CellGrid& grid, const basAnalyze::AnalysisWorkspace& ws,
          const basAnalyze::LegDifficultyTable& difficulty);
// Fills reference column 5 + index for runner r.
void FillReference(CellGrid& grid, const basAnalyze::AnalysisWorkspace& ws, int index, int r);

}  // namespace LegGrid
