#pragma once
// Where everything of the lap chart lies, apart from the painting: the plot area, the control
// lines, the x position of a time, each runner's line, the colours and the texts with their
// positions. The chart reads an analysis workspace (analysis/workspace.h) of one class.
//
// The horizontal axis is time at 5 seconds a pixel; the vertical axis is the share of the course
// in top-average time, from the start at the top to the finish at the bottom.
#include "analysis/workspace.h"

#include <QColor>
#include <QPointF>
#include <QString>
#include <QStringList>

#include <vector>

namespace basChart {

// The time bases, numbered as the item data of the mode list.
enum class ChartMode { RaceTime = 1, ClockTime = 2 };

constexpr int PlotLeft = 24;        // x of the plot's left edge
constexpr int PlotRightMargin = 8;  // pixels right of the plot's right edge (W = width - 32)
constexpr int SecondsPerPixel = 5;
constexpr int ScrollStep = 120;        // pixels (10 minutes) per scroll-bar step
constexpr int ScrollMaximum = 48;      // the scroll bar's range is 0..48
constexpr int ClockOrigin = 8 * 3600;  // clock time counts from 8:00
constexpr int NameLineHeight = 12;     // names are written one character a line

struct ChartGeometry {
    ChartMode mode = ChartMode::RaceTime;
    int scaleWidth = 0;  // the target picture
    int scaleHeight = 0;
    int width = 0;        // W: plot width
    int height = 0;       // H: plot height
    int top = 0;          // T: plot top
    int scrollValue = 0;  // the scroll bar's value
    int scroll = 0;       // S: scrollValue x 120 pixels
    // controlY[k]: y of control k, 0 = start, AnaControlCount + 1 = finish.
    std::vector<int> controlY;

    int bottom() const { return top + height; }
    int right() const { return PlotLeft + width; }
};

ChartGeometry MakeGeometry(const basAnalyze::AnalysisWorkspace& ws, ChartMode mode, int scaleWidth,
                           int scaleHeight, int scrollValue);

// Seconds of the time of day from 8:00 (negative before 8:00).
int SecondsFromClockOrigin(double timeOfDay);

// A runner appears in clock time only with a start time.
bool HasStartTime(const basAnalyze::AnalysisWorkspace& ws, int r);
bool IsDrawn(const basAnalyze::AnalysisWorkspace& ws, ChartMode mode, int r);

// M: the runner's shift in clock time, in pixels (its start from 8:00); 0 in race time.
int RunnerOffset(const basAnalyze::AnalysisWorkspace& ws, ChartMode mode, int r);

// x of an elapsed time given in seconds, for a runner shifted by offset pixels.
double TimeX(const ChartGeometry& g, double seconds, int offset);

// The runner's line: the start point, then the end of every leg that has a time and a
// meaningful elapsed time, in leg order (legs without are bridged).
std::vector<QPointF> RunnerLine(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g,
                                int r);

// x of the runner's elapsed time at the last leg.
double FinishX(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g, int r);

// Pens: the pale tints of the ordinary lines by runner number modulo 6, the three chosen
// runners (red, blue, green) and the three clicked slots (dark blue, dark green, dark red).
QColor RunnerColor(int r);
QColor ChosenColor(int slot);
QColor ClickedColor(int slot);
QColor MinuteLineColor();
QColor TenMinuteLineColor();  // also the control lines

// A text and the top-left corner it is written at.
struct ChartText {
    QPointF topLeft;
    QString text;
};

// The labels of the runners (index r - 1): as much of each name as tells it apart from the others
// of the class, three characters at most, since a label is written one character a line.
QStringList RunnerLabels(const basAnalyze::AnalysisWorkspace& ws);

// A label written vertically, one character a line from y downwards.
std::vector<ChartText> VerticalName(double x, double y, const QString& label);

// Where a runner's label stands when nothing is in its way: a little left of its finish point,
// from just under the plot, and in clock time a little left of its start point, above the plot.
double FinishNameX(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g, int r);
double StartNameX(const basAnalyze::AnalysisWorkspace& ws, const ChartGeometry& g, int r);
double FinishNameTop(const ChartGeometry& g);
constexpr double StartNameTop = 15;

// The label under the chart of a clicked runner: its label, in race time only for a runner with
// a valid total.
QString ClickLabel(const basAnalyze::AnalysisWorkspace& ws, ChartMode mode, int r);

// The label of the ten-minute line at pixel p of the plot (p = 0, 120, 240, ...): race time
// "h:mm" from 0:00, clock time "hh:mm" from 8:00, both moved by the scroll value.
QString TimeLabel(ChartMode mode, int scrollValue, int p);
// Every time label along the top of the plot, and the control numbers at the left. A number
// that would run into the one drawn above it (controls crowded on a long course) is left out.
std::vector<ChartText> TimeLabels(const ChartGeometry& g);
std::vector<ChartText> ControlNumbers(const ChartGeometry& g);

// p for a start at the given time of day: (seconds from 8:00) / 600 - 1, halves to even.
int ClockScrollFor(double startTime);
// The earliest start time above 0 of the class, 23:59:59 when nobody has one.
double FirstStartTime(const basAnalyze::AnalysisWorkspace& ws);
// The scroll value clock time opens at: about ten minutes before the first start; 0 when the
// first start is before 8:00 or outside the scroll range.
int ClockStartScroll(const basAnalyze::AnalysisWorkspace& ws);

}  // namespace basChart
