#include "chart/chartnames.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>

namespace basChart {

using basAnalyze::AnalysisWorkspace;

namespace {

constexpr double NameGap = 2;  // pixels kept free between two names

// One row of names (under the finish, or above the start): the columns taken so far.
class NameRow {
public:
    NameRow(double left, double right) : left_(left), right_(right) {}

    // The free place for a name of the width nearest to x, at most reach away; taken when found.
    std::optional<double> take(double x, double width, double reach)
    {
        std::vector<double> candidates{x, left_, right_ - width};
        const double from = x - reach - width - NameGap, to = x + reach + width + NameGap;
        for (auto it = taken_.lower_bound(from - maxWidth_); it != taken_.end() && it->first <= to;
             ++it) {
            candidates.push_back(it->second + NameGap);
            candidates.push_back(it->first - NameGap - width);
        }
        std::sort(candidates.begin(), candidates.end(), [x](double a, double b) {
            return std::abs(a - x) < std::abs(b - x) ||
                   (std::abs(a - x) == std::abs(b - x) && a < b);
        });
        for (double c : candidates) {
            if (std::abs(c - x) > reach) break;
            if (!fits(c, width)) continue;
            taken_.emplace(c, c + width);
            maxWidth_ = std::max(maxWidth_, width);
            return c;
        }
        return std::nullopt;
    }

private:
    bool fits(double x, double width) const
    {
        if (x < left_ || x + width > right_) return false;
        const auto next = taken_.lower_bound(x);
        if (next != taken_.end() && next->first < x + width + NameGap) return false;
        return next == taken_.begin() || std::prev(next)->second + NameGap <= x;
    }

    double left_, right_;
    double maxWidth_ = 0;
    std::map<double, double> taken_;  // left edge -> right edge of every name placed
};

struct Claim {
    int runner;
    QColor color;
    bool marked;  // clicked or chosen
};

// Every drawn runner once, the top-most line first: clicked slots 0..2, chosen slots 0..2, then
// the others by runner number (the order of total time).
std::vector<Claim> Claims(const AnalysisWorkspace& ws, ChartMode mode,
                          const std::array<int, 3>& chosen, const std::array<int, 3>& clicked)
{
    std::vector<Claim> claims;
    std::vector<bool> claimed(static_cast<size_t>(ws.AnaRunnerCount) + 1, false);
    const auto claim = [&](int r, const QColor& color, bool marked) {
        if (r < 1 || r > ws.AnaRunnerCount || claimed[static_cast<size_t>(r)] ||
            !IsDrawn(ws, mode, r))
            return;
        claimed[static_cast<size_t>(r)] = true;
        claims.push_back(Claim{r, color, marked});
    };
    for (int i = 0; i < 3; ++i) claim(clicked[static_cast<size_t>(i)], ClickedColor(i), true);
    for (int i = 0; i < 3; ++i) claim(chosen[static_cast<size_t>(i)], ChosenColor(i), true);
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) claim(r, RunnerColor(r), false);
    return claims;
}

bool InPlot(const ChartGeometry& g, double x)
{
    return x >= PlotLeft && x <= g.right();
}

}  // namespace

std::vector<PlacedName> PlaceNames(const AnalysisWorkspace& ws, const ChartGeometry& g,
                                   const std::array<int, 3>& chosen,
                                   const std::array<int, 3>& clicked, const LabelWidth& widthOf)
{
    const QStringList labels = RunnerLabels(ws);
    NameRow finishRow(PlotLeft, g.right()), startRow(PlotLeft, g.right());
    std::vector<PlacedName> placed;
    for (const Claim& c : Claims(ws, g.mode, chosen, clicked)) {
        const QString& label = labels[c.runner - 1];
        if (label.isEmpty()) continue;
        const double width = widthOf(label);
        const double reach = (c.marked ? 3 : 1) * (width + NameGap);
        PlacedName name{c.runner, c.color, {}};
        const auto add = [&](NameRow& row, double pointX, double x, double top) {
            if (!InPlot(g, pointX)) return;
            if (const std::optional<double> at = row.take(x, width, reach)) {
                const std::vector<ChartText> texts = VerticalName(*at, top, label);
                name.texts.insert(name.texts.end(), texts.begin(), texts.end());
            }
        };
        if (g.mode == ChartMode::ClockTime) {
            add(startRow, TimeX(g, 0, RunnerOffset(ws, g.mode, c.runner)),
                StartNameX(ws, g, c.runner), StartNameTop);
        }
        if (ws.TotalTime(c.runner) > 0) {
            add(finishRow, FinishX(ws, g, c.runner), FinishNameX(ws, g, c.runner),
                FinishNameTop(g));
        }
        if (!name.texts.empty()) placed.push_back(std::move(name));
    }
    return placed;
}

}  // namespace basChart
