// The leg analysis view: measures per leg, the leaders with their class colours, the two
// reference columns and their choosers on the header cells.
#include "analysis/analyze.h"
#include "analysis/ui/analyzegrid.h"
#include "analysis/ui/cellgridmodel.h"
#include "analysis/ui/frmanalyzer.h"
#include "analysis/ui/frmlegdata.h"
#include "analysis/ui/gridview.h"
#include "analysis/ui/leggrid.h"
#include "viewtest.h"

#include <QBrush>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QScrollBar>

using namespace viewtest;

namespace {

QColor role(const CellGridModel& model, int row, int col, int which)
{
    const QVariant value = model.data(model.indexOfCell(row, col), which);
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

class LegDataTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        addWorkedExample(QStringLiteral("M21"), false);
    }
};

TEST_F(LegDataTest, LegMeasuresAndTotals)
{
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("M21")));
    const CellGrid& g = window.LegModel()->grid();
    ASSERT_EQ(g.rows(), 5);
    ASSERT_EQ(g.cols(), 14);
    EXPECT_EQ(g.text(0, 1), QStringLiteral("レッグ長"));
    EXPECT_EQ(g.text(0, 3), QStringLiteral("難易度"));
    EXPECT_EQ(g.text(0, 13), QStringLiteral("６位"));
    EXPECT_EQ(g.text(1, 0), QStringLiteral("△→１"));
    EXPECT_EQ(g.text(4, 0), QStringLiteral("合計"));
    EXPECT_EQ(g.text(1, 1), QStringLiteral("25.0%"));
    EXPECT_EQ(g.text(2, 1), QStringLiteral("68.4%"));
    EXPECT_EQ(g.text(3, 1), QStringLiteral("6.7%"));
    EXPECT_EQ(g.text(4, 1), QStringLiteral("100.0%"));
    EXPECT_EQ(g.text(2, 2), QStringLiteral("12:20"));
    EXPECT_EQ(g.text(4, 2), QStringLiteral("0:18:02"));
    EXPECT_EQ(g.text(1, 3), QStringLiteral("161"));
    EXPECT_EQ(g.text(2, 3), QStringLiteral("103"));
    EXPECT_EQ(g.text(3, 3), QStringLiteral("35"));
    EXPECT_EQ(g.text(4, 3), QStringLiteral("100"));
    EXPECT_EQ(g.colWidth(8), 1350);
    EXPECT_EQ(window.grdLegData->horizontalHeader()->height(), 21);
    EXPECT_EQ(window.grdLegData->horizontalHeader()->sectionSize(4), 80);
}

TEST_F(LegDataTest, LeadersWithClassColours)
{
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("M21")));
    const CellGridModel& model = *window.LegModel();
    const CellGrid& g = model.grid();
    // Leg 1: D has no split there and is left out.
    EXPECT_EQ(g.text(1, 8), QStringLiteral("A     "
                                           "   "
                                           " 4:00"));
    EXPECT_EQ(g.text(1, 9), QStringLiteral("C     "
                                           "   "
                                           " 4:30"));
    EXPECT_EQ(g.text(1, 10), QStringLiteral("B     "
                                            "   "
                                            " 5:00"));
    EXPECT_EQ(g.text(1, 11), QString());
    // Leg 2: D's merged time is no leg time.
    EXPECT_EQ(g.text(2, 8), QStringLiteral("A     "
                                           "   "
                                           "10:00"));
    EXPECT_EQ(g.text(2, 10), QStringLiteral("C     "
                                            "   "
                                            "15:00"));
    EXPECT_EQ(g.text(3, 10), QStringLiteral("D     "
                                            "   "
                                            " 1:22"));
    EXPECT_EQ(g.text(4, 8), QStringLiteral("A     "
                                           " "
                                           "0:15:00"));
    EXPECT_EQ(g.text(4, 9), QStringLiteral("D     "
                                           " "
                                           "0:18:22"));

    // Class winner dark red on light red, second dark blue on light blue, third green.
    EXPECT_EQ(role(model, 1, 8, Qt::ForegroundRole), QColor(128, 0, 0));
    EXPECT_EQ(role(model, 1, 8, Qt::BackgroundRole), QColor(255, 221, 221));
    EXPECT_EQ(role(model, 3, 10, Qt::ForegroundRole), QColor(0, 0, 128));
    EXPECT_EQ(role(model, 3, 10, Qt::BackgroundRole), QColor(221, 221, 255));
    EXPECT_EQ(role(model, 1, 10, Qt::ForegroundRole), QColor(0, 128, 0));
    EXPECT_EQ(role(model, 1, 10, Qt::BackgroundRole), QColor(221, 255, 221));
    EXPECT_EQ(role(model, 1, 9, Qt::ForegroundRole), QColor(64, 64, 64));
    EXPECT_EQ(role(model, 1, 9, Qt::BackgroundRole), QColor(255, 255, 255));
}

TEST_F(LegDataTest, LeaderNamesFillSixColumns)
{
    EXPECT_EQ(LegGrid::LegLeaderText(QStringLiteral("山田太郎"), 245.0 / 86400),
              QStringLiteral("山田太    4:05"));
    EXPECT_EQ(LegGrid::LegLeaderText(QStringLiteral("Al"), 3725.0 / 86400),
              QStringLiteral("Al        2:05"));
    EXPECT_EQ(LegGrid::TotalLeaderText(QStringLiteral(" Bo b"), 3725.0 / 86400),
              QStringLiteral("Bo b   1:02:05"));
    // A total of ten hours or more is wider than its 7 columns and keeps all its digits.
    EXPECT_EQ(LegGrid::TotalLeaderText(QStringLiteral("Ann"), 36125.0 / 86400),
              QStringLiteral("Ann    10:02:05"));
}

TEST_F(LegDataTest, LongTotalInAReferenceColumn)
{
    addClass(QStringLiteral("R"), 1, true, {{"Ann", {"9:00:00", "1:02:05"}}});
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("R")));
    const CellGrid& g = window.LegModel()->grid();
    EXPECT_EQ(g.text(3, 5), QStringLiteral("  1) 10:02:05"));
    EXPECT_EQ(g.text(3, 8), QStringLiteral("Ann    10:02:05"));
}

TEST_F(LegDataTest, ReferenceColumns)
{
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("M21")));
    const CellGrid& g = window.LegModel()->grid();
    EXPECT_EQ(window.cboRefer[0]->currentIndex(), 0);
    EXPECT_EQ(window.cboRefer[1]->currentIndex(), 1);
    EXPECT_EQ(window.cboRefer[1]->currentText(), "D");
    EXPECT_EQ(g.text(1, 5), QStringLiteral("  1)    4:00"));
    EXPECT_EQ(g.text(4, 5), QStringLiteral("  1) 0:15:00"));
    EXPECT_EQ(g.text(1, 6), QStringLiteral("      ↓   "));
    EXPECT_EQ(g.text(2, 6), QStringLiteral("  -)   17:00"));
    EXPECT_EQ(g.text(3, 6), QStringLiteral("  3)    1:22"));

    window.cboRefer[1]->setCurrentIndex(3);  // C
    EXPECT_EQ(g.text(1, 6), QStringLiteral("  2)    4:30"));
    EXPECT_EQ(g.text(4, 6), QStringLiteral("  4) 0:20:44"));
    EXPECT_EQ(g.text(1, 5), QStringLiteral("  1)    4:00"));
}

TEST_F(LegDataTest, ChoosersStayOnTheirHeaderCells)
{
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("M21")));
    window.resize(400, 200);
    window.show();
    QCoreApplication::processEvents();
    QHeaderView* header = window.grdLegData->horizontalHeader();
    const auto expected = [&](int i) {
        const int section = 4 + i;
        return QRect(header->sectionViewportPosition(section), 0, header->sectionSize(section),
                     header->height());
    };
    EXPECT_EQ(window.cboRefer[0]->geometry(), expected(0));
    EXPECT_EQ(window.cboRefer[1]->geometry(), expected(1));
    const int before = window.cboRefer[1]->x();
    QScrollBar* scroll = window.grdLegData->horizontalScrollBar();
    ASSERT_GT(scroll->maximum(), 0);
    scroll->setValue(scroll->minimum() + 2);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.cboRefer[1]->geometry(), expected(1));
    EXPECT_LT(window.cboRefer[1]->x(), before);
    header->resizeSection(3, 120);
    EXPECT_EQ(window.cboRefer[0]->geometry(), expected(0));
}

TEST_F(LegDataTest, SingleRunnerFillsOneReference)
{
    addClass(QStringLiteral("W10"), 1, true, {{"Solo", {"5:00", "1:00"}}});
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("W10")));
    EXPECT_EQ(window.cboRefer[0]->currentIndex(), 0);
    EXPECT_EQ(window.cboRefer[1]->currentIndex(), -1);
    EXPECT_EQ(window.LegModel()->grid().text(1, 6), QString());
    EXPECT_EQ(window.LegModel()->grid().text(1, 5), QStringLiteral("  1)    5:00"));
}

// A class of 1001 runners: every rank keeps all its digits, in the class view's rank fields
// (four wide from 1000 runners on) and in the leg view's reference columns (one column wider).
TEST_F(LegDataTest, RanksAboveNineHundredNinetyNineStayWhole)
{
    std::vector<Runner> runners;
    for (int i = 1; i <= 1001; ++i)  // runner i is i-th on the first leg and in total
        runners.push_back(
            {QStringLiteral("R%1").arg(i), {QStringLiteral("0:%1").arg(60 + i), "1:00"}});
    addClass(QStringLiteral("Big"), 1, true, runners);
    frmAnalyzer analyzer(testDocument());
    analyzer.cmbClassList->setCurrentIndex(analyzer.cmbClassList->findText("Big"));
    const CellGrid& g = analyzer.AnalyzeModel()->grid();
    const int leg = AnalyzeGrid::Sections(1, 2).lapTime + 1;
    EXPECT_EQ(g.text(leg, 1), QStringLiteral("   1:01(   1)"));
    EXPECT_EQ(g.text(leg, 1001), QStringLiteral("  17:41(1001)"));
    EXPECT_EQ(g.text(leg + 2, 1000), QStringLiteral("  18:40(1000)"));  // the total
    frmLegData legs(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("Big")));
    legs.cboRefer[1]->setCurrentIndex(1000);
    const CellGrid& l = legs.LegModel()->grid();
    EXPECT_EQ(l.text(1, 6), QStringLiteral("1001)   17:41"));
    EXPECT_EQ(l.text(3, 6), QStringLiteral("1001) 0:18:41"));
    EXPECT_EQ(l.colWidth(5), 1200 + 90);
}

// Runners of one family name are told apart among the leaders by as much of the given name as
// it takes.
TEST_F(LegDataTest, LeadersOfOneFamilyNameStandApart)
{
    addClass(QStringLiteral("M21A"), 1, true,
             {{"中川 慎吾", {"5:00", "1:00"}},
              {"中川 健一", {"5:10", "1:00"}},
              {"岡本 修", {"5:20", "1:00"}}});
    frmLegData window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("M21A")));
    const CellGrid& g = window.LegModel()->grid();
    EXPECT_EQ(g.text(1, 8), QStringLiteral("中川慎    5:00"));
    EXPECT_EQ(g.text(1, 9), QStringLiteral("中川健    5:10"));
    EXPECT_EQ(g.text(1, 10), QStringLiteral("岡本      5:20"));
    EXPECT_EQ(g.text(3, 9), QStringLiteral("中川健 0:06:10"));
}

}  // namespace
