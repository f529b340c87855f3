// The painted chart and its PNG image: the chosen runners' lines in their colours, the frame and
// margins, the cut of the image after the last finisher, and files that cannot be written.
#include "chart/chartgeometry.h"
#include "chart/chartimage.h"
#include "chart/charttest.h"
#include "chart/drawchart.h"

#include <QFile>
#include <QImage>
#include <QPainter>

using namespace basChart;
using namespace viewtest;

namespace {

QImage draw(const basAnalyze::AnalysisWorkspace& ws, const ChartRequest& request, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    DrawChart(painter, size, ws, request);
    return image;
}

// True when some pixel within one pixel of p has the colour.
bool hasColorNear(const QImage& image, QPointF p, const QColor& color)
{
    for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy) {
            const QPoint q(qRound(p.x()) + dx, qRound(p.y()) + dy);
            if (image.valid(q) && image.pixelColor(q) == color) return true;
        }
    return false;
}

QPointF middle(const QPointF& a, const QPointF& b)
{
    return (a + b) / 2;
}

TEST_F(ChartTest, ChosenAndOrdinaryLinesInTheirColours)
{
    const auto& ws = spreadClass();
    ChartRequest request;
    request.chosen = {3, 1, 0};
    const QImage image = draw(ws, request, QSize(1000, 600));
    const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 0);
    const auto lineOf = [&](int r) { return RunnerLine(ws, g, r); };
    EXPECT_TRUE(hasColorNear(image, middle(lineOf(3)[0], lineOf(3)[1]), ChosenColor(0)));
    EXPECT_TRUE(hasColorNear(image, middle(lineOf(1)[1], lineOf(1)[2]), ChosenColor(1)));
    EXPECT_TRUE(hasColorNear(image, middle(lineOf(2)[1], lineOf(2)[2]), RunnerColor(2)));
    EXPECT_FALSE(hasColorNear(image, middle(lineOf(2)[1], lineOf(2)[2]), ChosenColor(2)));
    // Frame, control line, white margins.
    EXPECT_EQ(image.pixelColor(24, 300), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(g.right(), 300), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(500, g.controlY[1]), TenMinuteLineColor());
    EXPECT_EQ(image.pixelColor(24 + 12 * 3, 100), MinuteLineColor());
    EXPECT_EQ(image.pixelColor(10, 100), QColor(Qt::white));
}

TEST_F(ChartTest, ClickedRunnersAndClockTime)
{
    const auto& ws = spreadClass();
    ChartRequest request;
    request.mode = ChartMode::ClockTime;
    request.scrollValue = 11;
    request.clicked = {0, 4, 0};
    const QImage image = draw(ws, request, QSize(1000, 600));
    const ChartGeometry g = MakeGeometry(ws, ChartMode::ClockTime, 1000, 600, 11);
    const std::vector<QPointF> d = RunnerLine(ws, g, 4);
    // Dan starts at 10:06: 7560 / 5 - 1320 + 24 pixels.
    EXPECT_EQ(d[0], QPointF(1512 - 1320 + 24, 52));
    EXPECT_TRUE(hasColorNear(image, middle(d[0], d[1]), ClickedColor(1)));
}

TEST_F(ChartTest, RaceTimeImageIsCutAfterTheLastFinisher)
{
    addClass(QStringLiteral("L"), 1, true,
             {{"A", {"30:00", "30:00"}}, {"B", {"45:00", "45:00"}}, {"N", {"n/a", "3:00:00"}}});
    const auto& ws = analyse(QStringLiteral("L"));
    ChartRequest request;
    request.chosen = {2, 0, 0};
    request.scrollValue = 5;  // race-time images always start at 0:00
    ASSERT_TRUE(SaveChartPng(tempPath("chart.PNG"), ws, request));
    EXPECT_TRUE(QFile::exists(tempPath("chart.png")));
    EXPECT_FALSE(QFile::exists(tempPath("chart.PNG")));
    QImage image(tempPath("chart.png"));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(1126, 600));
    EXPECT_EQ(image.pixelColor(1116, 300), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(1116, 15), QColor(Qt::white));   // above the plot
    EXPECT_EQ(image.pixelColor(1116, 553), QColor(Qt::white));  // below it
    EXPECT_EQ(image.pixelColor(1120, 300), QColor(Qt::white));
    // B, chosen in list 0, runs its second leg from 2700 / 5 + 24 to 5400 / 5 + 24.
    EXPECT_TRUE(hasColorNear(image, middle(QPointF(564, 284), QPointF(1104, 552)), ChosenColor(0)));
}

TEST_F(ChartTest, ClockTimeImageNeedsAStartInRange)
{
    addClass(QStringLiteral("C"), 1, true,
             {{"A", {"30:00", "30:00"}, "", "10:00:00"}, {"B", {"5:00", "5:00"}, "", "10:30:00"}});
    const auto& ws = analyse(QStringLiteral("C"));
    ChartRequest request;
    request.mode = ChartMode::ClockTime;
    int scroll = -1;
    ASSERT_TRUE(SaveChartPng(tempPath("clock"), ws, request, &scroll));
    EXPECT_EQ(scroll, 11);
    const QImage image(tempPath("clock.png"));
    EXPECT_EQ(image.size(), QSize(890, 600));
    EXPECT_EQ(image.pixelColor(880, 100), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(880, 51), QColor(Qt::white));

    testDocument().resetRace();
    addClass(QStringLiteral("E"), 1, true, {{"A", {"5:00", "5:00"}, "", "8:05:00"}});
    EXPECT_FALSE(SaveChartPng(tempPath("early.png"), analyse(QStringLiteral("E")), request));
    EXPECT_FALSE(QFile::exists(tempPath("early.png")));
}

TEST_F(ChartTest, UnwritableFileIsReported)
{
    addWorkedExample(QStringLiteral("M21"), false);
    const auto& ws = analyse(QStringLiteral("M21"));
    EXPECT_FALSE(SaveChartPng(tempPath("missing/folder/chart.png"), ws, ChartRequest()));
    EXPECT_TRUE(SaveChartPng(tempPath("m21.png"), ws, ChartRequest()));
    EXPECT_FALSE(QImage(tempPath("m21.png")).isNull());
}

TEST_F(ChartTest, NobodyWithATotalGivesAThinImage)
{
    addClass(QStringLiteral("N"), 1, true, {{"A", {"n/a", "5:00"}}});
    const QImage image = RenderChartImage(analyse(QStringLiteral("N")), ChartRequest());
    EXPECT_EQ(image.size(), QSize(30, 600));
}

}  // namespace
