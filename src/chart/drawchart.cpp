#include "chart/drawchart.h"

#include "chart/chartnames.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>

namespace basChart {

using basAnalyze::AnalysisWorkspace;

namespace {

// Texts are placed by their top-left corner; the painter writes on the baseline.
void DrawTexts(QPainter& painter, const std::vector<ChartText>& texts, double ascent)
{
    for (const ChartText& t : texts) {
        painter.drawText(QPointF(t.topLeft.x(), t.topLeft.y() + ascent), t.text);
    }
}

// One runner's line in the pen's colour and width.
void DrawRunner(QPainter& painter, const AnalysisWorkspace& ws, const ChartGeometry& g, int r,
                const QColor& color, int width)
{
    painter.setPen(QPen(color, width));
    const std::vector<QPointF> line = RunnerLine(ws, g, r);
    if (line.size() >= 2) painter.drawPolyline(line.data(), static_cast<int>(line.size()));
}

// The runners' names, each in the colour of its runner's top-most line.
void DrawNames(QPainter& painter, const AnalysisWorkspace& ws, const ChartGeometry& g,
               const ChartRequest& request, double ascent)
{
    const QFontMetricsF metrics(request.font, painter.device());
    const LabelWidth widthOf = [&metrics](const QString& label) {
        double width = 0;
        for (const QChar c : label) width = std::max(width, metrics.horizontalAdvance(c));
        return width;
    };
    for (const PlacedName& name : PlaceNames(ws, g, request.chosen, request.clicked, widthOf)) {
        painter.setPen(QPen(name.color, 1));
        DrawTexts(painter, name.texts, ascent);
    }
}

bool IsRunner(const AnalysisWorkspace& ws, int r)
{
    return r >= 1 && r <= ws.AnaRunnerCount;
}

void DrawGrid(QPainter& painter, const ChartGeometry& g)
{
    painter.setPen(QPen(MinuteLineColor(), 1));
    for (int x = 0; x <= g.width; x += 12)
        painter.drawLine(PlotLeft + x, g.top, PlotLeft + x, g.bottom());
    painter.setPen(QPen(TenMinuteLineColor(), 1));
    for (int x = 0; x <= g.width; x += ScrollStep) {
        painter.drawLine(PlotLeft + x, g.top, PlotLeft + x, g.bottom());
    }
    for (size_t k = 1; k + 1 < g.controlY.size(); ++k) {
        painter.drawLine(PlotLeft, g.controlY[k], g.right(), g.controlY[k]);
    }
}

// The white margins hide the parts of lines scrolled out of the plot; then the frame, the
// control numbers and the time labels in black.
void DrawFrame(QPainter& painter, const ChartGeometry& g, double ascent)
{
    painter.fillRect(QRect(QPoint(0, g.top), QPoint(PlotLeft, g.bottom())), Qt::white);
    painter.fillRect(QRect(QPoint(g.right(), g.top), QPoint(g.scaleWidth, g.bottom())), Qt::white);
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(PlotLeft, g.top, g.width, g.height));
    DrawTexts(painter, ControlNumbers(g), ascent);
    DrawTexts(painter, TimeLabels(g), ascent);
}

}  // namespace

void DrawChart(QPainter& painter, const QSize& size, const AnalysisWorkspace& ws,
               const ChartRequest& request)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(QRect(QPoint(0, 0), size), Qt::white);
    painter.setFont(request.font);
    const double ascent = QFontMetricsF(request.font, painter.device()).ascent();

    const ChartGeometry g =
        MakeGeometry(ws, request.mode, size.width(), size.height(), request.scrollValue);
    DrawGrid(painter, g);

    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        if (IsDrawn(ws, g.mode, r)) DrawRunner(painter, ws, g, r, RunnerColor(r), 1);
    }
    // Slot 0 last, so that it lies on top.
    for (int i = 2; i >= 0; --i) {
        const int r = request.chosen[static_cast<size_t>(i)];
        if (IsRunner(ws, r) && IsDrawn(ws, g.mode, r)) {
            DrawRunner(painter, ws, g, r, ChosenColor(i), 2);
        }
    }
    for (int i = 2; i >= 0; --i) {
        const int r = request.clicked[static_cast<size_t>(i)];
        if (IsRunner(ws, r) && IsDrawn(ws, g.mode, r)) {
            DrawRunner(painter, ws, g, r, ClickedColor(i), 1);
        }
    }
    DrawNames(painter, ws, g, request, ascent);
    DrawFrame(painter, g, ascent);
    painter.restore();
}

}  // namespace basChart
