#include "chart/chartpick.h"

#include <cmath>
#include <limits>

namespace basChart {

double SegmentDistance(const QPointF& p, const QPointF& a, const QPointF& b)
{
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double lengthSquared = dx * dx + dy * dy;
    if (lengthSquared > 0) {
        // Position of the foot along the segment: 0 at a, 1 at b.
        const double t = ((p.x() - a.x()) * dx + (p.y() - a.y()) * dy) / lengthSquared;
        if (t >= 0 && t <= 1) {
            return std::hypot(p.x() - (a.x() + t * dx), p.y() - (a.y() + t * dy));
        }
    }
    return std::min(std::hypot(p.x() - a.x(), p.y() - a.y()),
                    std::hypot(p.x() - b.x(), p.y() - b.y()));
}

int PickRunner(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g,
               const QPointF& click)
{
    int best = 0;
    double bestDistance = PickRadius;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        if (!IsDrawn(ws, g.mode, r)) continue;
        const std::vector<QPointF> line = RunnerLine(ws, g, r);
        for (size_t i = 1; i < line.size(); ++i) {
            const double distance = SegmentDistance(click, line[i - 1], line[i]);
            // Strictly smaller: among equal distances the lower runner number stays.
            if (distance < bestDistance) {
                bestDistance = distance;
                best = r;
            }
        }
    }
    return best;
}

}  // namespace basChart
