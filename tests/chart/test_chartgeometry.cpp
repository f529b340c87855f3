// Where the lap chart puts things: control lines, the x of a time, runner lines, labels, the
// clock-time start position, picking a line by a click, and the image's width and file name.
#include "chart/chartgeometry.h"
#include "chart/chartimage.h"
#include "chart/chartnames.h"
#include "chart/chartpick.h"
#include "charttest.h"

#include <algorithm>

using namespace basChart;
using namespace viewtest;

namespace {

TEST_F(ChartTest, ControlPositionsFollowTheLegWeights)
{
    addWorkedExample(QStringLiteral("M21"), false);
    const auto& ws = analyse(QStringLiteral("M21"));
    // Weights 270, 740 and 72 of 1082 seconds.
    const ChartGeometry race = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 0);
    EXPECT_EQ(race.width, 968);
    EXPECT_EQ(race.height, 536);
    EXPECT_EQ(race.top, 16);
    EXPECT_EQ(race.controlY, (std::vector<int>{16, 150, 516, 552}));
    const ChartGeometry clock = MakeGeometry(ws, ChartMode::ClockTime, 1000, 600, 2);
    EXPECT_EQ(clock.height, 500);
    EXPECT_EQ(clock.scroll, 240);
    EXPECT_EQ(clock.controlY, (std::vector<int>{52, 177, 519, 552}));
}

TEST_F(ChartTest, ControlPositionRoundsHalvesToEven)
{
    addClass(QStringLiteral("E"), 1, true, {{"A", {"5:00", "5:00"}}, {"B", {"6:00", "6:00"}}});
    const auto& ws = analyse(QStringLiteral("E"));
    // Two equal legs: the control lies at half of a plot 101 pixels high, 50.5 rounds to 50.
    const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, 200, 165, 0);
    ASSERT_EQ(g.height, 101);
    EXPECT_EQ(g.controlY[1], 16 + 50);
    EXPECT_EQ(g.controlY[2], 117);
}

TEST_F(ChartTest, RunnerLinesSkipLegsWithoutTimes)
{
    addClass(QStringLiteral("M"), 2, true,
             {{"A", {"4:00", "10:00", "1:00"}, "", "10:07:03"},
              {"D", {"→", "17:00", "1:22"}},
              {"N", {"5:00", "n/a", "1:30"}}});
    const auto& ws = analyse(QStringLiteral("M"));
    const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 1);
    // A: the start, then 4:00, 14:00 and 15:00 at 5 seconds a pixel, scrolled by 120.
    const std::vector<QPointF> a = RunnerLine(ws, g, 1);
    ASSERT_EQ(a.size(), 4u);
    EXPECT_EQ(a[0], QPointF(24 - 120, 16));
    EXPECT_EQ(a[1], QPointF(48 + 24 - 120, g.controlY[1]));
    EXPECT_EQ(a[3], QPointF(180 + 24 - 120, 552));
    // D: the merge mark's control is bridged.
    const std::vector<QPointF> d = RunnerLine(ws, g, 2);
    ASSERT_EQ(d.size(), 3u);
    EXPECT_EQ(d[1], QPointF(204 + 24 - 120, g.controlY[2]));
    // N: a missing split ends the line at the control before it.
    EXPECT_EQ(RunnerLine(ws, g, 3).size(), 2u);

    // Clock time shifts each runner by its start from 8:00: 7623 s / 5 = 1524.6, rounded.
    EXPECT_EQ(RunnerOffset(ws, ChartMode::ClockTime, 1), 1525);
    EXPECT_EQ(RunnerOffset(ws, ChartMode::RaceTime, 1), 0);
    EXPECT_FALSE(IsDrawn(ws, ChartMode::ClockTime, 2));
    EXPECT_TRUE(IsDrawn(ws, ChartMode::RaceTime, 2));
    const ChartGeometry clock = MakeGeometry(ws, ChartMode::ClockTime, 1000, 600, 12);
    EXPECT_DOUBLE_EQ(TimeX(clock, 240, 1525), 48 + 24 - 1440 + 1525);
}

TEST_F(ChartTest, NamesAndColours)
{
    addClass(
        QStringLiteral("M"), 1, true,
        {{"山田太郎", {"10:00", "5:00"}, "", "9:00:00"}, {"Bo", {"n/a", "6:00"}, "", "9:01:00"}});
    const auto& ws = analyse(QStringLiteral("M"));
    const auto width12 = [](const QString&) { return 12.0; };
    const ChartGeometry race = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 0);
    const std::vector<PlacedName> raceNames = PlaceNames(ws, race, {1, 0, 0}, {0, 0, 1}, width12);
    ASSERT_EQ(raceNames.size(), 1u);  // Bo has no valid total, and no start name in race time
    const std::vector<ChartText>& finish = raceNames[0].texts;
    ASSERT_EQ(finish.size(), 3u);
    EXPECT_EQ(finish[0].text, QStringLiteral("山"));
    EXPECT_EQ(finish[2].text, QStringLiteral("太"));
    EXPECT_EQ(finish[0].topLeft, QPointF(180 + 24 - 8, 552 + 2));
    EXPECT_EQ(finish[2].topLeft.y(), 552 + 26);
    EXPECT_EQ(raceNames[0].color, ClickedColor(2));  // the line on top: clicked over chosen
    const ChartGeometry clock = MakeGeometry(ws, ChartMode::ClockTime, 1000, 600, 5);
    const std::vector<PlacedName> clockNames = PlaceNames(ws, clock, {}, {}, width12);
    ASSERT_EQ(clockNames.size(), 2u);
    EXPECT_EQ(clockNames[0].texts[0].topLeft, QPointF(20 - 600 + 720, 15));
    EXPECT_EQ(clockNames[0].texts[3].topLeft.x(), 180 + 24 - 600 + 720 - 4);
    // Bo starts a minute (12 pixels) after 山田太郎, whose start name is 12 pixels wide: his
    // stands 2 pixels further right than alone, clear of it.
    const std::vector<ChartText>& start = clockNames[1].texts;
    ASSERT_EQ(start.size(), 2u);
    EXPECT_EQ(start[0].topLeft, QPointF(20 - 600 + 732 + 2, 15));
    EXPECT_EQ(start[1].topLeft.y(), 27);
    EXPECT_EQ(ClickLabel(ws, ChartMode::RaceTime, 2), QString());
    EXPECT_EQ(ClickLabel(ws, ChartMode::ClockTime, 2), "Bo");
    EXPECT_EQ(ClickLabel(ws, ChartMode::RaceTime, 1), QStringLiteral("山田太"));
    EXPECT_EQ(ClickLabel(ws, ChartMode::RaceTime, 0), QString());

    EXPECT_EQ(RunnerColor(1), QColor(0xC0, 0xF0, 0xC0));
    EXPECT_EQ(RunnerColor(2), QColor(0xF0, 0xC0, 0xC0));
    EXPECT_EQ(RunnerColor(3), QColor(0xB0, 0xE0, 0xE0));
    EXPECT_EQ(RunnerColor(6), QColor(0xC0, 0xC0, 0xF0));
    EXPECT_EQ(RunnerColor(12), RunnerColor(6));
    EXPECT_EQ(ChosenColor(2), QColor(0, 208, 0));
    EXPECT_EQ(ClickedColor(0), QColor(0, 0, 128));
}

TEST_F(ChartTest, TimeLabelsAndControlNumbers)
{
    addWorkedExample(QStringLiteral("M21"), false);
    const auto& ws = analyse(QStringLiteral("M21"));
    const ChartGeometry race = MakeGeometry(ws, ChartMode::RaceTime, 400, 600, 3);
    const std::vector<ChartText> labels = TimeLabels(race);
    ASSERT_EQ(labels.size(), 4u);  // p = 0, 120, 240, 360 within W = 368
    EXPECT_EQ(labels[0].text, "0:30");
    EXPECT_EQ(labels[1].text, "0:40");
    EXPECT_EQ(labels[1].topLeft, QPointF(136, 2));
    EXPECT_EQ(TimeLabel(ChartMode::RaceTime, 6, 120), "1:10");
    EXPECT_EQ(TimeLabel(ChartMode::ClockTime, 0, 0), "08:00");
    const std::vector<ChartText> clock =
        TimeLabels(MakeGeometry(ws, ChartMode::ClockTime, 400, 600, 12));
    EXPECT_EQ(clock[0].text, "10:00");
    EXPECT_EQ(clock[0].topLeft, QPointF(12, 2));
    const std::vector<ChartText> numbers = ControlNumbers(race);
    ASSERT_EQ(numbers.size(), 2u);
    EXPECT_EQ(numbers[0].text, " 1");
    EXPECT_EQ(numbers[1].topLeft, QPointF(8, race.controlY[2] - 5));

    // On a course of many controls the numbers that would overlap are left out.
    const std::vector<QString> minutes(MaxLegs, QStringLiteral("1:00"));
    addClass(QStringLiteral("Long"), MaxLegs - 1, true, {{QStringLiteral("A"), minutes}});
    const std::vector<ChartText> crowded = ControlNumbers(
        MakeGeometry(analyse(QStringLiteral("Long")), ChartMode::RaceTime, 400, 600, 0));
    ASSERT_GT(crowded.size(), 10u);
    EXPECT_LT(crowded.size(), static_cast<size_t>(MaxLegs - 1));
    EXPECT_EQ(crowded.front().text, " 1");
    for (size_t i = 1; i < crowded.size(); ++i)
        EXPECT_GE(crowded[i].topLeft.y() - crowded[i - 1].topLeft.y(), 10);
}

TEST_F(ChartTest, ClockTimeStartPosition)
{
    const auto at = [](const char* start) { return lap(QString::fromLatin1(start)); };
    EXPECT_EQ(ClockScrollFor(at("10:07:00")), 12);  // 7620 / 600 - 1 = 11.7
    EXPECT_EQ(ClockScrollFor(at("8:35:00")), 2);    // 2.5 to the even neighbour
    EXPECT_EQ(ClockScrollFor(at("8:25:00")), 2);    // 1.5

    addClass(QStringLiteral("M"), 1, true,
             {{"A", {"5:00", "1:00"}, "", "10:30:00"},
              {"B", {"5:00", "1:00"}, "", "10:07:00"},
              {"C", {"5:00", "1:00"}}});
    EXPECT_EQ(ClockStartScroll(analyse(QStringLiteral("M"))), 12);
    EXPECT_EQ(ClockExportScroll(analysis()), 12);

    struct Case {
        const char* start;
        int window;
        std::optional<int> image;
    };
    const Case cases[] = {{"7:50:00", 0, std::nullopt},
                          {"8:10:00", 0, std::nullopt},
                          {"8:20:00", 1, 1},
                          {"16:00:00", 47, 47},
                          {"16:10:00", 48, std::nullopt},
                          {"17:00:00", 0, std::nullopt}};
    for (const Case& c : cases) {
        testDocument().resetRace();
        addClass(QStringLiteral("K"), 1, true, {{"A", {"5:00", "1:00"}, "", c.start}});
        const auto& ws = analyse(QStringLiteral("K"));
        SCOPED_TRACE(c.start);
        EXPECT_EQ(ClockStartScroll(ws), c.window);
        EXPECT_EQ(ClockExportScroll(ws), c.image);
    }
    // Nobody with a start time: the search starts from 23:59:59, far outside the range.
    testDocument().resetRace();
    addClass(QStringLiteral("K"), 1, true, {{"A", {"5:00", "1:00"}}});
    EXPECT_EQ(ClockStartScroll(analyse(QStringLiteral("K"))), 0);
    EXPECT_EQ(ClockExportScroll(analysis()), std::nullopt);
}

TEST(SegmentDistance, AllKindsOfSegments)
{
    EXPECT_DOUBLE_EQ(SegmentDistance({5, 3}, {0, 0}, {10, 0}), 3);     // horizontal
    EXPECT_DOUBLE_EQ(SegmentDistance({4, 5}, {0, 0}, {0, 10}), 4);     // vertical, beside it
    EXPECT_DOUBLE_EQ(SegmentDistance({3, 14}, {0, 0}, {0, 10}), 5);    // vertical, below its end
    EXPECT_DOUBLE_EQ(SegmentDistance({3, 4}, {0, 0}, {0, 0}), 5);      // a point
    EXPECT_DOUBLE_EQ(SegmentDistance({-3, -4}, {0, 0}, {10, 10}), 5);  // before the start
    EXPECT_NEAR(SegmentDistance({0, 10}, {0, 0}, {10, 10}), std::sqrt(50.0), 1e-12);
}

TEST_F(ChartTest, PickingTheNearestLine)
{
    const auto& ws = spreadClass();
    const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 0);
    const int y = (g.top + g.controlY[1]) / 2;
    // Halfway down the first leg the lines are at 24 + 60, 120, 180 and 240 pixels.
    EXPECT_EQ(PickRunner(ws, g, QPointF(24 + 60 + 3, y)), 1);
    EXPECT_EQ(PickRunner(ws, g, QPointF(24 + 180 - 5, y)), 3);
    // 30 pixels or more from every line: nobody.
    EXPECT_EQ(PickRunner(ws, g, QPointF(900, 300)), 0);
    EXPECT_EQ(PickRunner(ws, g, QPointF(524, 100)), 0);
}

TEST_F(ChartTest, EqualDistancesPickTheLowerRunner)
{
    addClass(QStringLiteral("T"), 1, true,
             {{"Eve", {"10:00", "10:00"}}, {"Fay", {"10:00", "10:00"}}});
    const auto& ws = analyse(QStringLiteral("T"));
    const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, 1000, 600, 0);
    ASSERT_EQ(RunnerLine(ws, g, 1), RunnerLine(ws, g, 2));
    EXPECT_EQ(PickRunner(ws, g, QPointF(24 + 60 + 5, (g.top + g.controlY[1]) / 2)), 1);
}

TEST_F(ChartTest, ImageWidthFromTheLastFinisher)
{
    addClass(QStringLiteral("L"), 1, true,
             {{"A", {"30:00", "30:00"}}, {"B", {"45:00", "45:00"}}, {"N", {"n/a", "3:00:00"}}});
    const auto& ws = analyse(QStringLiteral("L"));
    // 1:30:00 = 5400 s: 5400 / 5 + 16; the runner without a valid total does not count.
    EXPECT_EQ(ExportRightEdge(ws, ChartMode::RaceTime, 0), 1096);

    testDocument().resetRace();
    addClass(QStringLiteral("U"), 1, true, {{"A", {"5:00:00", "2:00:00"}}});
    // Seven hours run past the 4000-pixel picture; the cut stays at the plot's frame.
    EXPECT_EQ(ExportRightEdge(analyse(QStringLiteral("U")), ChartMode::RaceTime, 0), 3992 - 20);

    testDocument().resetRace();
    addClass(QStringLiteral("C"), 1, true,
             {{"A", {"30:00", "30:00"}, "", "10:00:00"}, {"B", {"5:00", "5:00"}, "", "10:30:00"}});
    // Clock time at p = 11: A ends at 3600/5 + 20 - 1320 + 7200/5 = 860, B at 620.
    EXPECT_EQ(ExportRightEdge(analyse(QStringLiteral("C")), ChartMode::ClockTime, 11), 860);
}

TEST(PngFileName, ExtensionOfTheFileNameOnly)
{
    EXPECT_EQ(PngFileName("chart.PNG"), "chart.png");
    EXPECT_EQ(PngFileName("my.chart.bmp"), "my.chart.png");
    EXPECT_EQ(PngFileName("/tmp/out/chart"), "/tmp/out/chart.png");
    EXPECT_EQ(PngFileName("/tmp/my.dir/chart"), "/tmp/my.dir/chart.png");
    EXPECT_EQ(PngFileName("C:\\my.dir\\chart"), "C:\\my.dir\\chart.png");
    EXPECT_EQ(PngFileName("/tmp/04_web_m21e_1.png"), "/tmp/04_web_m21e_1.png");
}

// Names of runners who finish close together stand apart, inside the plot and near their finish
// (one name's width away at most, three for a chosen runner, who is placed first).
TEST_F(ChartTest, NamesStandApartInsideThePlot)
{
    const struct Case {
        std::vector<int> finish;  // seconds after the hour, one runner each
        int scaleWidth, chosen;
        std::vector<int> named;
    } cases[] = {
        {{0, 0, 0, 0, 0}, 1000, 5, {5, 1, 2}},                  // the chosen one, one each side
        {{0, 10, 20, 30, 40, 50, 60, 70}, 1000, 0, {1, 2, 8}},  // two pixels apart
        {{0, 3000}, 1353, 0, {1, 2}},  // a finish a pixel inside the plot's right edge
        {{0, 5400}, 1000, 0, {1}},     // a finish past it
    };
    for (const Case& c : cases) {
        testDocument().resetRace();
        std::vector<Runner> runners;
        for (int s : c.finish)
            runners.push_back({QStringLiteral("R%1").arg(runners.size() + 1),
                               {"30:00", QStringLiteral("0:%1").arg(1800 + s)}});
        addClass(QStringLiteral("C"), 1, true, runners);
        const auto& ws = analyse(QStringLiteral("C"));
        const ChartGeometry g = MakeGeometry(ws, ChartMode::RaceTime, c.scaleWidth, 600, 0);
        std::vector<int> named;
        std::vector<double> lefts;
        for (const PlacedName& name :
             PlaceNames(ws, g, {c.chosen, 0, 0}, {}, [](const QString&) { return 12.0; })) {
            const double x = name.texts[0].topLeft.x();
            named.push_back(name.runner);
            lefts.push_back(x);
            EXPECT_TRUE(x >= PlotLeft && x + 12 <= g.right()) << x;
            EXPECT_LE(std::abs(x - FinishNameX(ws, g, name.runner)),
                      (name.runner == c.chosen ? 3 : 1) * 14);
        }
        EXPECT_EQ(named, c.named);
        std::sort(lefts.begin(), lefts.end());
        for (size_t k = 1; k < lefts.size(); ++k) EXPECT_GE(lefts[k] - lefts[k - 1], 14);
    }
}

}  // namespace
