#pragma once
// The runners' names around the lap chart, placed so that no two of them touch. Runners who
// finish (or start) within a minute of each other would otherwise write their names over one
// another, and names of points near the plot's edges would run past it.
#include "analysis/workspace.h"
#include "chart/chartgeometry.h"

#include <QColor>

#include <array>
#include <functional>
#include <vector>

namespace basChart {

// One runner's name as it is written: its colour and its characters with their places.
struct PlacedName {
    int runner = 0;
    QColor color;
    std::vector<ChartText> texts;
};

// The width a label takes on the target, in pixels (its widest character).
using LabelWidth = std::function<double(const QString& label)>;

// The names of the chart: under the finish of every drawn runner with a valid total and, in
// clock time, above the start of every drawn runner, in the colour of the runner's top-most line
// (clicked slot 0, 1, 2, then chosen slot 0, 1, 2, then its pale tint). The names are placed one
// by one - the clicked and chosen runners first, then the others in order of total time - each
// at the free place nearest to where it would stand alone, at most about one name's width
// (three for clicked and chosen runners) away from it. A name that finds no free place there,
// or whose point lies outside the plot's width, is left out; no name leaves the plot's width.
std::vector<PlacedName> PlaceNames(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g,
                                   const std::array<int, 3>& chosen,
                                   const std::array<int, 3>& clicked, const LabelWidth& widthOf);

}  // namespace basChart
