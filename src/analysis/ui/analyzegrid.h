#pragma once
// The class analysis grid: one column per runner (in order of total time) and seven stacked
// sections of rows: leg times with ranks, cumulative times with ranks, cruise speed, miss rate,
// relative values, miss times and the time without misses.
#include "analysis/ui/cellgrid.h"
#include "analysis/workspace.h"
#include "race/race.h"

#include <cstdint>

namespace AnalyzeGrid {

// The header row of each section. Legs of a section follow its header row; the cruise speed,
// miss rate and no-miss rows carry their values on the header row itself.
struct SectionRows {
    int lapTime, sumTime, cruiseSpeed, missRate, relative, missTime, noMissTime;
};
SectionRows Sections(int fixedRows, int legCount);
// Rows the grid is made with.
int GridRows(int legCount);

// Runner columns widen with the number of digits of the runner count (twips).
constexpr int LabelColumnTwips = 1800;
int RunnerColumnTwips(int runnerCount);

// Width of the rank inside its brackets: the digits of the runner count (1 below 10 runners, 2
// below 100, 3 below 1000, 4 below 10000), so that every rank of the class fits whole.
int RankWidth(int runnerCount);
// "(" + rank right-aligned in the width + ")"; for rank 0 the placeholder "(-)", "( -)", "(  -)".
QString RankField(int rank, int width);
// Background of ranks 1 to 3 (three shades of pink), as a Windows colour 0x00BBGGRR.
std::uint32_t RankColor(int rank);

// The "CruiseDetail" setting as a number of decimal places; a negative or non-numeric value
// counts as 0 and very large values are limited to what single precision can show.
int CruiseDetailSetting();
int CruiseDetailOf(const QString& value);

// The info line: race name, course length, climb.
QString ClassInfoLine(const RaceHeader& race, const clsClassData& cls);

// Cell texts of the value rows.
QString CruiseSpeedText(float cruiseSpeed, int decimals);
QString MissRateText(float missRate);
QString LegRatioText(float ratio);
QString RelativeTotalText(float relativeValue);

// Fills the grid for the class from the analysis of that class.
void Fill(CellGrid& grid, const clsClassData& cls, const basAnalyze::AnalysisWorkspace& ws,
          int cruiseDecimals);

}  // namespace AnalyzeGrid
