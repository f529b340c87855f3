#include "chart/chartgeometry.h"

#include "chart/winunits.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/shortnames.h"
#include "race/textutil.h"

#include <algorithm>

namespace basChart {

using basAnalyze::AnalysisWorkspace;

namespace {

constexpr double LastSecondOfDay = (CbasGeneral::SecondsPerDay - 1.0) / CbasGeneral::SecondsPerDay;

// Plot top and the height taken off the picture for the margins, by mode.
int PlotTop(ChartMode mode)
{
    return mode == ChartMode::RaceTime ? 16 : 52;
}
int MarginHeight(ChartMode mode)
{
    return mode == ChartMode::RaceTime ? 64 : 100;
}

}  // namespace

ChartGeometry MakeGeometry(const AnalysisWorkspace& ws, ChartMode mode, int scaleWidth,
                           int scaleHeight, int scrollValue)
{
    ChartGeometry g;
    g.mode = mode;
    g.scaleWidth = scaleWidth;
    g.scaleHeight = scaleHeight;
    g.width = std::max(0, scaleWidth - PlotLeft - PlotRightMargin);
    g.height = std::max(0, scaleHeight - MarginHeight(mode));
    g.top = PlotTop(mode);
    g.scrollValue = scrollValue;
    g.scroll = scrollValue * ScrollStep;

    // Each control sits at the share of the course run up to it; the weights are summed in
    // single precision like the weights themselves.
    const int controls = ws.AnaControlCount;
    g.controlY.assign(static_cast<size_t>(controls) + 2, g.top);
    float share = 0;
    for (int k = 1; k <= controls; ++k) {
        if (k <= ws.LegWeight.count()) share += ws.LegWeight(k);
        g.controlY[static_cast<size_t>(k)] =
            g.top + CbasGeneral::RoundHalfEven(static_cast<double>(g.height) * share);
    }
    g.controlY[static_cast<size_t>(controls) + 1] = g.bottom();
    return g;
}

int SecondsFromClockOrigin(double timeOfDay)
{
    return CbasGeneral::TimeToSeconds(timeOfDay) - ClockOrigin;
}

bool HasStartTime(const AnalysisWorkspace& ws, int r)
{
    return ws.RunnerStartTime(r) > 0;
}

bool IsDrawn(const AnalysisWorkspace& ws, ChartMode mode, int r)
{
    return mode == ChartMode::RaceTime || HasStartTime(ws, r);
}

int RunnerOffset(const AnalysisWorkspace& ws, ChartMode mode, int r)
{
    if (mode == ChartMode::RaceTime) return 0;
    return CbasGeneral::RoundHalfEven(SecondsFromClockOrigin(ws.RunnerStartTime(r)) /
                                      static_cast<double>(SecondsPerPixel));
}

double TimeX(const ChartGeometry& g, double seconds, int offset)
{
    return seconds / SecondsPerPixel + PlotLeft - g.scroll + offset;
}

std::vector<QPointF> RunnerLine(const AnalysisWorkspace& ws, const ChartGeometry& g, int r)
{
    const int offset = RunnerOffset(ws, g.mode, r);
    std::vector<QPointF> line;
    line.reserve(static_cast<size_t>(ws.AnaLegCount) + 1);
    line.emplace_back(TimeX(g, 0, offset), g.top);
    const int lastY = static_cast<int>(g.controlY.size()) - 1;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        if (ws.SumState(r, l) < 0 || ws.LapState(r, l) < 0) continue;
        const double seconds = CbasGeneral::TimeToSeconds(ws.SumTime(r, l));
        line.emplace_back(TimeX(g, seconds, offset),
                          g.controlY[static_cast<size_t>(std::min(l, lastY))]);
    }
    return line;
}

double FinishX(const AnalysisWorkspace& ws, const ChartGeometry& g, int r)
{
    const double seconds =
        ws.AnaLegCount > 0 ? CbasGeneral::TimeToSeconds(ws.SumTime(r, ws.AnaLegCount)) : 0;
    return TimeX(g, seconds, RunnerOffset(ws, g.mode, r));
}

QColor RunnerColor(int r)
{
    static const std::uint32_t tints[6] = {0xF0C0C0, 0xC0F0C0, 0xC0C0F0,
                                           0xE0E0B0, 0xB0E0E0, 0xE0B0E0};
    return WinUnits::ToColor(tints[((r % 6) + 6) % 6]);
}

QColor ChosenColor(int slot)
{
    static const QColor colors[3] = {QColor(255, 0, 0), QColor(0, 0, 255), QColor(0, 208, 0)};
    return colors[slot];
}

QColor ClickedColor(int slot)
{
    static const QColor colors[3] = {QColor(0, 0, 128), QColor(0, 128, 0), QColor(128, 0, 0)};
    return colors[slot];
}

QColor MinuteLineColor()
{
    return WinUnits::ToColor(0xE8E8E8);
}
QColor TenMinuteLineColor()
{
    return WinUnits::ToColor(0xD0D0D0);
}

QStringList RunnerLabels(const AnalysisWorkspace& ws)
{
    constexpr int LabelChars = 3;
    QStringList names;
    names.reserve(ws.AnaRunnerCount);
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) names << ws.RunnerName(r);
    return CbasGeneral::DistinctShortNames(names, LabelChars, 2 * LabelChars);
}

std::vector<ChartText> VerticalName(double x, double y, const QString& label)
{
    std::vector<ChartText> texts;
    for (int i = 0; i < label.size(); ++i) {
        texts.push_back(ChartText{QPointF(x, y + i * NameLineHeight), label.mid(i, 1)});
    }
    return texts;
}

double FinishNameX(const AnalysisWorkspace& ws, const ChartGeometry& g, int r)
{
    // Further left in race time, where every line ends on the finish line, than above the start
    // names of clock time.
    const double shift = g.mode == ChartMode::RaceTime ? 8 : 4;
    return FinishX(ws, g, r) - shift;
}

double StartNameX(const AnalysisWorkspace& ws, const ChartGeometry& g, int r)
{
    return 20 - g.scroll + RunnerOffset(ws, g.mode, r);
}

double FinishNameTop(const ChartGeometry& g)
{
    return g.bottom() + 2;
}

QString ClickLabel(const AnalysisWorkspace& ws, ChartMode mode, int r)
{
    if (r < 1 || r > ws.AnaRunnerCount || !IsDrawn(ws, mode, r)) return QString();
    if (mode == ChartMode::RaceTime && ws.TotalTime(r) <= 0) return QString();
    return RunnerLabels(ws).value(r - 1);
}

QString TimeLabel(ChartMode mode, int scrollValue, int p)
{
    const long long seconds = 600LL * scrollValue + static_cast<long long>(SecondsPerPixel) * p;
    if (mode == ChartMode::RaceTime) {
        return CbasGeneral::FormatTimeSeconds(seconds, QStringLiteral("h:mm"));
    }
    return CbasGeneral::FormatTimeSeconds(ClockOrigin + seconds, QStringLiteral("hh:mm"));
}

std::vector<ChartText> TimeLabels(const ChartGeometry& g)
{
    std::vector<ChartText> labels;
    const int shift = g.mode == ChartMode::RaceTime ? 16 : 12;
    for (int p = 0; p <= g.width; p += ScrollStep) {
        labels.push_back(ChartText{QPointF(p + shift, 2), TimeLabel(g.mode, g.scrollValue, p)});
    }
    return labels;
}

std::vector<ChartText> ControlNumbers(const ChartGeometry& g)
{
    // The height of one line of the chart's small font.
    constexpr double NumberGap = 10;
    std::vector<ChartText> numbers;
    for (int k = 1; k + 1 < static_cast<int>(g.controlY.size()); ++k) {
        const double y = g.controlY[static_cast<size_t>(k)] - 5;
        if (!numbers.empty() && y - numbers.back().topLeft.y() < NumberGap) continue;
        numbers.push_back(
            ChartText{QPointF(8, y), CbasGeneral::FitWidth(QString::number(k), 2, true, false)});
    }
    return numbers;
}

int ClockScrollFor(double startTime)
{
    return CbasGeneral::RoundHalfEven(SecondsFromClockOrigin(startTime) / 600.0 - 1);
}

double FirstStartTime(const AnalysisWorkspace& ws)
{
    double first = LastSecondOfDay;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const double start = ws.RunnerStartTime(r);
        if (start > 0 && start < first) first = start;
    }
    return first;
}

int ClockStartScroll(const AnalysisWorkspace& ws)
{
    const double first = FirstStartTime(ws);
    if (SecondsFromClockOrigin(first) < 0) return 0;
    const int p = ClockScrollFor(first);
    return p < 0 || p > ScrollMaximum ? 0 : p;
}

}  // namespace basChart
