// The class analysis view: its class list, the cells of the grid for a class whose analysis is
// known number by number, the rank fields and column widths by runner count, and the settings.
#include "analysis/ui/analyzegrid.h"
#include "analysis/ui/cellgridmodel.h"
#include "analysis/ui/frmanalyzer.h"
#include "analysis/ui/gridview.h"
#include "config/ui/elidedlabel.h"
#include "viewtest.h"

#include <QBrush>
#include <QComboBox>
#include <QCoreApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>

using namespace viewtest;

namespace {

QColor background(const CellGridModel& model, int row, int col)
{
    const QVariant value = model.data(model.indexOfCell(row, col), Qt::BackgroundRole);
    return value.isValid() ? value.value<QBrush>().color() : QColor();
}

class AnalyzerTest : public ViewTest {
protected:
    const CellGrid& grid(const frmAnalyzer& window) const { return window.AnalyzeModel()->grid(); }
};

TEST_F(AnalyzerTest, WorkedExampleCells)
{
    testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
    addWorkedExample(QStringLiteral("M21"), true);
    frmAnalyzer window(testDocument());
    const CellGrid& g = grid(window);
    ASSERT_EQ(g.cols(), 5);
    EXPECT_EQ(g.rows(), 4 * 3 + 17);
    EXPECT_EQ(g.fixedRows(), 2);
    EXPECT_EQ(window.lblClassInfo->fullText(), QStringLiteral("春の大会    4500m   up 120m"));

    // Columns: A, D, B, C in order of total; sections from row 2 (two fixed rows).
    EXPECT_EQ(g.text(0, 1), "A");
    EXPECT_EQ(g.text(1, 1), "OLC");
    EXPECT_EQ(g.text(0, 2), "D");
    const AnalyzeGrid::SectionRows s = AnalyzeGrid::Sections(2, 3);
    EXPECT_EQ(s.lapTime, 2);
    EXPECT_EQ(s.sumTime, 7);
    EXPECT_EQ(s.cruiseSpeed, 12);
    EXPECT_EQ(s.missRate, 13);
    EXPECT_EQ(s.relative, 15);
    EXPECT_EQ(s.missTime, 21);
    EXPECT_EQ(s.noMissTime, 27);

    EXPECT_EQ(g.text(2, 0), QStringLiteral("【 ラップタイム 】"));
    EXPECT_EQ(g.text(3, 0), QStringLiteral("△→１"));
    EXPECT_EQ(g.text(5, 0), QStringLiteral("２→◎"));
    EXPECT_EQ(g.text(6, 0), "Total");
    EXPECT_EQ(g.text(8, 0), QStringLiteral("→１"));
    EXPECT_EQ(g.text(10, 0), QStringLiteral("→◎"));
    EXPECT_EQ(g.text(12, 0), QStringLiteral("【   巡航速度   】"));
    EXPECT_EQ(g.text(27, 0), QStringLiteral("【ミスなしタイム】"));

    // Leg times: ranks, the merge mark and the merged time without a rank.
    EXPECT_EQ(g.text(3, 1), QStringLiteral("   4:00(1)"));
    EXPECT_EQ(g.text(3, 2), QStringLiteral("     ↓    "));
    EXPECT_EQ(g.text(4, 2), QStringLiteral("  17:00(-)"));
    EXPECT_EQ(g.text(5, 2), QStringLiteral("   1:22(3)"));
    EXPECT_EQ(g.text(4, 4), QStringLiteral("  15:00(3)"));
    EXPECT_EQ(g.text(6, 1), QStringLiteral("  15:00(1)"));
    EXPECT_EQ(g.text(6, 4), QStringLiteral("  20:44(4)"));
    // Cumulative: the estimated rank where the time arrives later; equal times share rank 2.
    EXPECT_EQ(g.text(8, 2), QStringLiteral("    ↓ (3)"));
    EXPECT_EQ(g.text(9, 2), QStringLiteral("  17:00(2)"));
    EXPECT_EQ(g.text(9, 3), QStringLiteral("  17:00(2)"));
    EXPECT_EQ(g.text(9, 4), QStringLiteral("  19:30(4)"));
    // Cruise speed, miss rate, relative values, miss times, the time without misses.
    EXPECT_EQ(g.text(12, 1), QStringLiteral(" 81"));
    EXPECT_EQ(g.text(12, 4), QStringLiteral("115"));
    EXPECT_EQ(g.text(13, 1), QStringLiteral("   2.5"));
    EXPECT_EQ(g.text(16, 1), QStringLiteral(" 89"));
    EXPECT_EQ(g.text(16, 2), QStringLiteral(" ↓"));
    EXPECT_EQ(g.text(17, 2), QStringLiteral("101"));
    EXPECT_EQ(g.text(19, 1), QStringLiteral(" 83"));
    EXPECT_EQ(g.text(22, 1), QStringLiteral("   0:21"));
    EXPECT_EQ(g.text(22, 2), QStringLiteral("     ↓ "));
    EXPECT_EQ(g.text(22, 4), QStringLiteral("  -0:40"));
    EXPECT_EQ(g.text(25, 1), QStringLiteral("   0:23"));
    EXPECT_EQ(g.text(27, 1), QStringLiteral("  14:37"));
}

TEST_F(AnalyzerTest, RankColoursAndAlignment)
{
    addWorkedExample(QStringLiteral("M21"), false);
    frmAnalyzer window(testDocument());
    const CellGridModel& model = *window.AnalyzeModel();
    // No club anywhere: one fixed row, the first section header takes row 1.
    ASSERT_EQ(model.grid().fixedRows(), 1);
    EXPECT_EQ(model.grid().text(1, 0), QStringLiteral("【 ラップタイム 】"));
    EXPECT_EQ(background(model, 2, 1), QColor(244, 180, 232));    // A leg 1, rank 1
    EXPECT_EQ(background(model, 2, 4), QColor(248, 200, 232));    // C leg 1, rank 2
    EXPECT_EQ(background(model, 3, 4), QColor(252, 220, 232));    // C leg 2, rank 3
    EXPECT_EQ(background(model, 5, 4), QColor());                 // C total, rank 4
    EXPECT_EQ(background(model, 3, 2), QColor());                 // D merged, no rank
    EXPECT_EQ(background(model, 7, 2), QColor(252, 220, 232));    // D estimated rank 3
    EXPECT_EQ(background(model, 8, 2), background(model, 8, 3));  // shared rank 2

    EXPECT_EQ(model.data(model.indexOfCell(2, 1), Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignHCenter | Qt::AlignVCenter));
    EXPECT_EQ(model.headerData(0, Qt::Horizontal, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignLeft | Qt::AlignVCenter));
    EXPECT_EQ(model.headerData(0, Qt::Vertical, Qt::TextAlignmentRole).toInt(),
              int(Qt::AlignRight | Qt::AlignVCenter));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString(), "D");
}

TEST_F(AnalyzerTest, MissingSplitsAndTotals)
{
    // B misses control 1 (no valid total); E's last split is missing.
    addClass(QStringLiteral("W21"), 2, true,
             {{"A", {"4:00", "10:00", "1:00"}},
              {"B", {"n/a", "12:00", "1:30"}},
              {"E", {"5:00", "11:00", "n/a"}}});
    frmAnalyzer window(testDocument());
    const CellGrid& g = grid(window);
    const int b = 2, e = 3;  // runners without valid totals sort after A
    ASSERT_EQ(g.text(0, 1), "A");
    EXPECT_EQ(g.text(2, b), QStringLiteral("    n/a    "));
    // No valid total: the status where the total would be, mispunched without one of its own.
    EXPECT_EQ(g.text(5, b), QStringLiteral("ミスパンチ"));
    EXPECT_EQ(g.text(5, e), QStringLiteral("ミスパンチ"));
    const AnalyzeGrid::SectionRows s = AnalyzeGrid::Sections(1, 3);
    EXPECT_EQ(g.text(s.sumTime + 2, b), QStringLiteral("    n/a    "));
    EXPECT_EQ(g.text(s.relative + 1, b), QStringLiteral("n/a"));
    EXPECT_EQ(g.text(s.missTime + 1, b), QStringLiteral("    n/a "));
}

TEST_F(AnalyzerTest, AnEmptyFirstLegLeavesNoElapsedTimeAtAnyControl)
{
    // N has no entry for leg 1: no elapsed time there, and no rank placeholder either.
    addClass(QStringLiteral("W21"), 2, true,
             {{"A", {"4:00", "10:00", "1:00"}}, {"N", {"", "12:00", "1:30"}}});
    frmAnalyzer window(testDocument());
    const CellGrid& g = grid(window);
    const int n = g.text(0, 1) == "N" ? 1 : 2;
    ASSERT_EQ(g.text(0, n), "N");
    const AnalyzeGrid::SectionRows s = AnalyzeGrid::Sections(1, 3);
    for (int l = 1; l <= 3; ++l)
        EXPECT_EQ(g.text(s.sumTime + l, n), QStringLiteral("    n/a    ")) << l;
}

TEST_F(AnalyzerTest, RankWidthAndColumnWidthByRunnerCount)
{
    struct Case {
        int runners;
        QString mergedCell;
        int twips;
    };
    const Case cases[] = {{9, QStringLiteral("   3:00(-)"), 990},
                          {10, QStringLiteral("   3:00( -)"), 1080},
                          {99, QStringLiteral("   3:00( -)"), 1080},
                          {100, QStringLiteral("   3:00(  -)"), 1170}};
    for (const Case& c : cases) {
        testDocument().resetRace();
        // Runner 1 has a merged time on leg 2, so its cell shows the placeholder.
        std::vector<Runner> runners{{"X", {"→", "3:00"}}};
        for (int i = 1; i < c.runners; ++i) {
            runners.push_back(
                {QStringLiteral("R%1").arg(i),
                 {"2:00", QStringLiteral("3:%1").arg(i % 60, 2, 10, QLatin1Char('0'))}});
        }
        addClass(QStringLiteral("M%1").arg(c.runners), 2, false, runners);
        frmAnalyzer window(testDocument());
        const CellGrid& g = grid(window);
        SCOPED_TRACE(c.runners);
        ASSERT_EQ(g.text(0, 1), "X");
        EXPECT_EQ(g.text(3, 1), c.mergedCell);
        EXPECT_EQ(g.colWidth(1), c.twips);
        EXPECT_EQ(g.colWidth(c.runners), c.twips);
        EXPECT_EQ(g.colWidth(0), 1800);
        EXPECT_EQ(window.grdAnalyze->horizontalHeader()->sectionSize(0), c.twips / 15);
        EXPECT_EQ(window.grdAnalyze->verticalHeader()->width(), 120);
    }
    EXPECT_EQ(AnalyzeGrid::RankField(7, 1), "(7)");
    EXPECT_EQ(AnalyzeGrid::RankField(7, 3), "(  7)");
}

TEST_F(AnalyzerTest, OneClassIsShownAtOnce)
{
    addWorkedExample(QStringLiteral("M21"), false);
    frmAnalyzer window(testDocument());
    ASSERT_EQ(window.cmbClassList->count(), 1);
    EXPECT_EQ(window.cmbClassList->itemText(0), "M21");
    EXPECT_EQ(window.cmbClassList->itemData(0).toInt(), 1);
    EXPECT_EQ(window.cmbClassList->currentIndex(), 0);
    EXPECT_FALSE(window.grdAnalyze->isHidden());
    EXPECT_TRUE(window.cmdChart->isEnabled());
    EXPECT_TRUE(window.cmdLeg->isEnabled());
}

TEST_F(AnalyzerTest, ManyClassesListAndClassSelect)
{
    addWorkedExample(QStringLiteral("M21"), false);
    addClass(QStringLiteral("W21"), 1, true, {{"P", {"5:00", "1:00"}}, {"Q", {"6:00", "1:10"}}});
    addClass(QString(), 1, true, {});
    frmAnalyzer window(testDocument());
    ASSERT_EQ(window.cmbClassList->count(), 4);
    EXPECT_EQ(window.cmbClassList->itemText(0), QStringLiteral("クラス選択"));
    EXPECT_EQ(window.cmbClassList->itemData(0).toInt(), 0);
    EXPECT_EQ(window.cmbClassList->itemData(2).toInt(), 2);
    EXPECT_EQ(window.cmbClassList->itemText(3), QStringLiteral("名称未入力"));
    EXPECT_EQ(window.cmbClassList->currentIndex(), 1);
    EXPECT_EQ(window.AnalyzeModel()->grid().cols(), 5);

    window.cmbClassList->setCurrentIndex(0);
    EXPECT_TRUE(window.grdAnalyze->isHidden());
    EXPECT_FALSE(window.cmdChart->isEnabled());
    EXPECT_FALSE(window.cmdLeg->isEnabled());
    EXPECT_TRUE(window.lblClassInfo->fullText().isEmpty());
    EXPECT_EQ(window.AnalyzeModel()->rowCount(), 0);

    window.cmbClassList->setCurrentIndex(2);
    EXPECT_FALSE(window.grdAnalyze->isHidden());
    EXPECT_EQ(window.AnalyzeModel()->grid().text(0, 1), "P");
    EXPECT_EQ(window.AnalyzeModel()->grid().text(0, 2), "Q");

    // A class without runners keeps its info line but shows no grid.
    window.cmbClassList->setCurrentIndex(3);
    EXPECT_TRUE(window.grdAnalyze->isHidden());
    EXPECT_FALSE(window.cmdChart->isEnabled());
}

TEST_F(AnalyzerTest, NoClassLeavesTheListEmpty)
{
    frmAnalyzer window(testDocument());
    EXPECT_EQ(window.cmbClassList->count(), 0);
    EXPECT_TRUE(window.grdAnalyze->isHidden());
    EXPECT_FALSE(window.cmdChart->isEnabled());
}

TEST_F(AnalyzerTest, CruiseDetailSetting)
{
    EXPECT_EQ(AnalyzeGrid::CruiseDetailOf(QString()), 0);
    EXPECT_EQ(AnalyzeGrid::CruiseDetailOf("2"), 2);
    EXPECT_EQ(AnalyzeGrid::CruiseDetailOf("-1"), 0);
    EXPECT_EQ(AnalyzeGrid::CruiseDetailOf("abc"), 0);
    EXPECT_EQ(AnalyzeGrid::CruiseDetailOf("1000000000"), 7);
    EXPECT_EQ(AnalyzeGrid::CruiseSpeedText(0.8108f, 0), " 81");
    EXPECT_EQ(AnalyzeGrid::CruiseSpeedText(0.8108f, 2), " 81.08");

    basSettings::SettingsFile().setItem(QStringLiteral("CruiseDetail"), QStringLiteral("1"));
    addWorkedExample(QStringLiteral("M21"), false);
    frmAnalyzer window(testDocument());
    const AnalyzeGrid::SectionRows s = AnalyzeGrid::Sections(1, 3);
    EXPECT_EQ(window.AnalyzeModel()->grid().text(s.cruiseSpeed, 1), QStringLiteral(" 81.1"));
}

TEST_F(AnalyzerTest, ValueTexts)
{
    EXPECT_EQ(AnalyzeGrid::MissRateText(0.0252f), "   2.5");
    EXPECT_EQ(AnalyzeGrid::LegRatioText(0), "   ");
    EXPECT_EQ(AnalyzeGrid::LegRatioText(0.955f), " 96");
    EXPECT_EQ(AnalyzeGrid::LegRatioText(12.345f), "1235");  // not padded to a width
    EXPECT_EQ(AnalyzeGrid::RelativeTotalText(1.0259f), "103");
    // Values of a thousand per cent or more keep all their digits instead of being cut to the
    // width: 9.996 rounds up to 1000 although it is below 10.
    EXPECT_EQ(AnalyzeGrid::LegRatioText(9.996f), "1000");
    EXPECT_EQ(AnalyzeGrid::RelativeTotalText(12.34f), "1234");
    EXPECT_EQ(AnalyzeGrid::CruiseSpeedText(10.5f, 0), "1050");
    EXPECT_EQ(AnalyzeGrid::CruiseSpeedText(10.5f, 1), "1050.0");
}

TEST_F(AnalyzerTest, GridFollowsTheWindowSize)
{
    addWorkedExample(QStringLiteral("M21"), false);
    frmAnalyzer window(testDocument());
    window.resize(800, 500);
    window.show();
    EXPECT_EQ(window.grdAnalyze->geometry(), QRect(0, 36, 800, 464));
    window.resize(640, 480);
    QCoreApplication::processEvents();
    EXPECT_EQ(window.grdAnalyze->geometry(), QRect(0, 36, 640, 444));
}

TEST_F(AnalyzerTest, CutNamesAndClubsEndInAMarkAndShowTheWholeTextAsTooltip)
{
    const QString name = QStringLiteral("寿限無寿限無五劫の擦り切れ");
    const QString club =
        QStringLiteral("OrienteeringClubOfTheNorthernForest");  // no blanks: stripped;
    addClass(QStringLiteral("M21"), 1, true,
             {{name, {"5:00", "1:00"}, club}, {"Li", {"6:00", "1:10"}, "OK"}});
    frmAnalyzer window(testDocument());
    window.resize(900, 600);
    window.show();
    QCoreApplication::processEvents();
    auto* header = qobject_cast<GridHeader*>(window.grdAnalyze->horizontalHeader());
    ASSERT_NE(header, nullptr);
    const QStringList lines = header->shownText(0).split('\n');
    ASSERT_EQ(lines.size(), 2);
    for (int i = 0; i < 2; ++i) {
        const QString full = i == 0 ? name : club;
        EXPECT_TRUE(lines[i].endsWith(QStringLiteral("…"))) << lines[i].toStdString();
        EXPECT_TRUE(full.startsWith(lines[i].chopped(1))) << lines[i].toStdString();
        EXPECT_LE(header->fontMetrics().horizontalAdvance(lines[i]), header->sectionSize(0));
    }
    EXPECT_EQ(header->toolTipText(0), name + '\n' + club);
    // A name and club that fit are shown whole, without a tooltip.
    EXPECT_EQ(header->shownText(1), QStringLiteral("Li\nOK"));
    EXPECT_TRUE(header->toolTipText(1).isEmpty());
}

TEST_F(AnalyzerTest, TheTopBandStaysAtTheTopAndTheInfoLineSetsNoWidth)
{
    addWorkedExample(QStringLiteral("M21"), false);
    addClass(QStringLiteral("W21"), 1, true, {});
    testRace().RaceInfo.RaceName = QStringLiteral("春の大会");
    int narrowest = 0;
    {
        frmAnalyzer window(testDocument());
        narrowest = window.minimumSizeHint().width();
    }
    testRace().RaceInfo.RaceName = QStringLiteral("とても長い名前の大会").repeated(20);
    frmAnalyzer window(testDocument());
    EXPECT_EQ(window.minimumSizeHint().width(), narrowest);
    window.resize(900, 600);
    window.show();
    QCoreApplication::processEvents();
    EXPECT_EQ(window.width(), 900);
    const QLabel* info = window.lblClassInfo;
    EXPECT_TRUE(info->text().endsWith(QStringLiteral(" ..."))) << info->text().toStdString();
    EXPECT_LE(info->geometry().right(), window.width());
    const QRect list = window.cmbClassList->geometry();
    ASSERT_LT(list.bottom(), window.grdAnalyze->y());
    // "クラス選択", then a class without runners: the grid goes, the band does not move.
    for (int entry : {0, 2}) {
        window.cmbClassList->setCurrentIndex(entry);
        QCoreApplication::processEvents();
        EXPECT_TRUE(window.grdAnalyze->isHidden()) << entry;
        EXPECT_EQ(window.cmbClassList->geometry(), list) << entry;
        EXPECT_EQ(window.cmdChart->y(), window.cmdLeg->y()) << entry;
        EXPECT_LT(window.cmdChart->geometry().bottom(), 36) << entry;
    }
}

}  // namespace
