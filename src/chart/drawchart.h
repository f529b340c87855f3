#pragma once
// The one painting of the lap chart, shared by the chart window, the image export and tests.
#include "analysis/workspace.h"
#include "chart/chartgeometry.h"

#include <QFont>
#include <QSize>

#include <array>

class QPainter;

namespace basChart {

// What the chart shows besides the class: mode, scroll position, the three chosen runners and
// the three clicked ones (runner numbers, 0 = none), and the fixed-pitch font of its texts
// (about 12 pixels high).
struct ChartRequest {
    ChartMode mode = ChartMode::RaceTime;
    int scrollValue = 0;
    std::array<int, 3> chosen{};
    std::array<int, 3> clicked{};
    QFont font;
};

// Clears the target area (0, 0)-(size) to white and draws the chart of the analysed class:
// grid, every runner's pale line, the chosen and clicked runners on top, the runners' names
// placed apart (chartnames.h), the margins, the frame, the control numbers and the time labels.
void DrawChart(QPainter& painter, const QSize& size, const basAnalyze::AnalysisWorkspace& ws,
               const ChartRequest& request);

}  // namespace basChart
