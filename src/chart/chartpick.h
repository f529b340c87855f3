#pragma once
// Picking a runner's line by a click in the chart.
#include "analysis/workspace.h"
#include "chart/chartgeometry.h"

#include <QPointF>

namespace basChart {

// Lines farther from the click than this are not picked (pixels).
constexpr double PickRadius = 30;

// Distance from p to the segment a-b: to the foot of the perpendicular when it falls on the
// segment, otherwise to the nearer end. Horizontal, vertical and zero-length segments are fine.
double SegmentDistance(const QPointF& p, const QPointF& a, const QPointF& b);

// The runner whose line passes nearest to the click, closer than PickRadius; on equal distances
// the lower runner number. 0 when no line is that close. Clock time considers only runners with
// a start time.
int PickRunner(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g,
               const QPointF& click);

}  // namespace basChart
