// The chart window: preselected runners, the scroll position per mode, clicks filling the three
// slots in turn, redraw suppression, the save button and the script commands.
#include "chart/chartgeometry.h"
#include "chart/chartimage.h"
#include "chart/charttest.h"
#include "chart/ui/chartcanvas.h"
#include "chart/ui/frmgraph.h"
#include "common/scriptedprompts.h"
#include "race/prompts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

#include <unistd.h>

using namespace basChart;
using namespace viewtest;

namespace {

class GraphTest : public ChartTest {
protected:
    // A point on the first leg of runner r, halfway down.
    QPoint onLine(const frmGraph& window, int r)
    {
        const ChartGeometry g =
            MakeGeometry(window.Analysis(), window.Mode(), window.picChart->width(),
                         window.picChart->height(), window.scrChart->value());
        const std::vector<QPointF> line = RunnerLine(window.Analysis(), g, r);
        return ((line[0] + line[1]) / 2).toPoint();
    }
};

TEST_F(GraphTest, OpensInRaceTimeWithTheThreeFastestChosen)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("h")), testDocument());
    EXPECT_EQ(window.Analysis().AnaRunnerCount, 4);
    EXPECT_EQ(window.Mode(), ChartMode::RaceTime);
    EXPECT_FALSE(window.SuppressDraw);
    EXPECT_EQ(window.scrChart->value(), 0);
    EXPECT_EQ(window.scrChart->maximum(), 48);
    const ChartRequest request = window.Request();
    EXPECT_EQ(request.chosen, (std::array<int, 3>{1, 2, 3}));
    EXPECT_EQ(request.clicked, (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(window.cboMode->itemData(1).toInt(), 2);
    EXPECT_EQ(window.picChart->picture().size(), window.picChart->size());
    EXPECT_EQ(window.picChart->picture().pixelColor(24, 100), QColor(Qt::black));
}

TEST_F(GraphTest, TwoRunnersLeaveTheThirdListEmpty)
{
    addClass(QStringLiteral("W"), 1, true, {{"P", {"5:00", "1:00"}}, {"Q", {"6:00", "1:10"}}});
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("W")), testDocument());
    EXPECT_EQ(window.cboSelect[1]->currentIndex(), 1);
    EXPECT_EQ(window.cboSelect[2]->currentIndex(), -1);
    EXPECT_EQ(window.Request().chosen, (std::array<int, 3>{1, 2, 0}));
}

TEST_F(GraphTest, ModeSetsTheScrollPosition)
{
    spreadClass();  // first start 10:00: ten minutes before is 9:50, p = 11
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    window.cboMode->setCurrentIndex(1);
    EXPECT_EQ(window.Mode(), ChartMode::ClockTime);
    EXPECT_EQ(window.scrChart->value(), 11);
    EXPECT_FALSE(window.SuppressDraw);
    window.scrChart->setValue(20);
    window.cboMode->setCurrentIndex(0);
    EXPECT_EQ(window.scrChart->value(), 0);
}

TEST_F(GraphTest, ClicksFillTheSlotsInTurn)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    for (int r : {2, 4, 1, 3}) window.picChart_MouseDown(onLine(window, r));
    EXPECT_EQ(window.ClickedRunner, (std::array<int, 3>{3, 4, 1}));
    EXPECT_EQ(window.NextClickSlot, 1);
    EXPECT_EQ(window.lblClick[0]->text(), "Cai");
    EXPECT_EQ(window.lblClick[1]->text(), "Dan");
    // A click beside every line empties the next slot.
    window.picChart_MouseDown(QPoint(900, 60));
    EXPECT_EQ(window.ClickedRunner, (std::array<int, 3>{3, 0, 1}));
    EXPECT_EQ(window.lblClick[1]->text(), QString());
    EXPECT_EQ(window.NextClickSlot, 2);
    // While drawing is suppressed clicks are ignored.
    window.SuppressDraw = true;
    window.picChart_MouseDown(onLine(window, 2));
    EXPECT_EQ(window.ClickedRunner[2], 1);
}

TEST_F(GraphTest, SuppressedDrawingKeepsThePicture)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    const QImage before = window.picChart->picture();
    window.SuppressDraw = true;
    window.scrChart->setValue(3);
    EXPECT_EQ(window.picChart->picture(), before);
    window.SuppressDraw = false;
    window.DrawChart();
    EXPECT_NE(window.picChart->picture(), before);
}

TEST_F(GraphTest, AutomationWritesOneOrTwoImages)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    const QString prefix = tempPath("04_web_");
    EXPECT_EQ(window.Automation(QStringLiteral("chart,") + prefix), 0);
    EXPECT_FALSE(QImage(prefix + "h_1.png").isNull());
    EXPECT_FALSE(QImage(prefix + "h_2.png").isNull());
    EXPECT_EQ(window.scrChart->value(), 11);  // left at the clock-time image's position

    window.Automation(QStringLiteral("CHART1,") + prefix + "one_");
    EXPECT_TRUE(QFile::exists(prefix + "one_h_1.png"));
    EXPECT_FALSE(QFile::exists(prefix + "one_h_2.png"));
    window.Automation(QStringLiteral("CHART2,") + prefix + "two_");
    EXPECT_FALSE(QFile::exists(prefix + "two_h_1.png"));
    EXPECT_TRUE(QFile::exists(prefix + "two_h_2.png"));
    window.Automation(QStringLiteral("PRINT,") + prefix + "none_");
    EXPECT_FALSE(QFile::exists(prefix + "none_h_1.png"));
    // A folder that does not exist: nothing is written, each image is reported, nothing asked.
    {
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        Prompts::ScriptedPrompts* scripted = prompts.get();
        const Prompts::ScopedPrompts scope(std::move(prompts));
        EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempPath("absent/x_")), 2);
        ASSERT_EQ(scripted->log.size(), 2u);
        EXPECT_EQ(scripted->log[0].text,
                  "画像を保存できませんでした: " + tempPath("absent/x_h_1.png") +
                      " (フォルダがありません)");
        EXPECT_EQ(scripted->log[1].text,
                  "画像を保存できませんでした: " + tempPath("absent/x_h_2.png") +
                      " (フォルダがありません)");
        EXPECT_EQ(scripted->log[1].buttons, Prompts::Buttons::Ok);
    }
    // Only the field after the command is the prefix; further fields are not part of it.
    window.Automation(QStringLiteral("CHART1,") + prefix + "three_,extra");
    EXPECT_TRUE(QFile::exists(prefix + "three_h_1.png"));
    EXPECT_FALSE(QFile::exists(prefix + "three_,extrah_1.png"));
}

TEST_F(GraphTest, SaveButtonAsksThroughThePromptService)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts* scripted = prompts.get();
    scripted->files.push_back({tempPath("saved"), 1});
    scripted->files.push_back({QString(), 1});  // cancelled
    const Prompts::ScopedPrompts scope(std::move(prompts));
    testDocument().setCurrentFilePath(tempPath("cup.lap"));
    window.cmdSave->click();
    ASSERT_EQ(scripted->fileRequests.size(), 1u);
    // The name a script gives the image, in the race's folder.
    EXPECT_EQ(scripted->fileRequests[0].fileName, tempPath("h_1.png"));
    EXPECT_EQ(scripted->fileRequests[0].title, QStringLiteral("ラップチャート"));
    EXPECT_EQ(scripted->fileRequests[0].filter, QStringLiteral("PNG形式 (*.png)|*.png"));
    EXPECT_EQ(scripted->fileRequests[0].mode, Prompts::FileDialogRequest::Mode::Save);
    EXPECT_FALSE(QImage(tempPath("saved.png")).isNull());
    window.cmdSave->click();
    EXPECT_EQ(scripted->fileRequests.size(), 2u);
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::Files).size(), 1);
}

// A chart that cannot be saved says so with the file and the reason, and writes nothing: a file
// the system refuses, or a clock-time chart whose first start lies outside its image's hours.
TEST_F(GraphTest, SaveButtonTellsWhyNoImageWasWritten)
{
    addClass(QStringLiteral("E"), 1, true, {{"A", {"5:00", "5:00"}, "", "8:05:00"}});
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("E")), testDocument());
    testsupport::writeCp932(tempPath("plain"), QStringLiteral("x"));
    QDir().mkpath(tempPath("taken.png"));
    QDir().mkpath(tempPath("locked"));
    QFile::setPermissions(tempPath("locked"), QFile::ReadOwner | QFile::ExeOwner);
    std::vector<std::array<QString, 3>> cases = {// name chosen, mode, the message's reason
                                                 {"absent/chart", "0", "フォルダがありません"},
                                                 {"plain/chart.png", "0", "フォルダではありません"},
                                                 {"taken.png", "0", "同じ名前のフォルダがあります"},
                                                 {"clock.png", "1", ""}};
    if (geteuid() != 0)  // folder permissions do not bind the superuser
        cases.push_back({"locked/chart.png", "0", "書き込み権限がありません"});
    for (const auto& [name, mode, reason] : cases) {
        auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
        Prompts::ScriptedPrompts* scripted = prompts.get();
        scripted->files.push_back({tempPath(name), 1});
        const Prompts::ScopedPrompts scope(std::move(prompts));
        window.SelectMode(mode.toInt());
        window.cmdSave->click();
        const QString png = PngFileName(tempPath(name));
        ASSERT_EQ(scripted->log.size(), 2u) << name.toStdString();  // the dialog, the message
        EXPECT_EQ(scripted->log[1].text,
                  reason.isEmpty()
                      ? QStringLiteral("リアルタイムのチャートは、最初のスタートが "
                                       "8:15 から 16:05 までのクラスだけ画像にできます。")
                      : "画像を保存できませんでした: " + png + "\n" + reason);
        EXPECT_FALSE(QFileInfo(png).isFile());
    }
    QFile::setPermissions(tempPath("locked"),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

}  // namespace

namespace {

// The window at its smallest: the controls of the bottom panel side by side, none cut or
// overlapping, the scroll bar above the panel and some chart left.
TEST_F(GraphTest, AtItsSmallestSizeEverythingFits)
{
    spreadClass();
    frmGraph window(basAnalyze::AnalyzeClass(testRace(), QStringLiteral("H")), testDocument());
    window.show();
    window.resize(300, 200);  // below any sensible size: held at the minimum
    QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), window.minimumSize());
    EXPECT_LE(window.minimumWidth(), 800);  // still fits a small screen

    std::vector<QWidget*> controls{window.cboMode, window.cmdSave};
    for (int i = 0; i < 3; ++i) {
        controls.push_back(window.cboSelect[i]);
        controls.push_back(window.shpSelect[i]);
        controls.push_back(window.lblClick[i]);
    }
    const QRect panel = window.picSelect->rect();
    for (std::size_t a = 0; a < controls.size(); ++a) {
        const QRect g = controls[a]->geometry();
        EXPECT_TRUE(panel.contains(g)) << a;
        EXPECT_GE(g.width(), controls[a]->minimumSizeHint().width()) << a;
        for (std::size_t b = a + 1; b < controls.size(); ++b)
            EXPECT_FALSE(g.intersects(controls[b]->geometry())) << a << " " << b;
    }
    EXPECT_LE(window.scrChart->geometry().bottom(), window.picSelect->y());
    EXPECT_GE(window.picChart->height(), 100);
    EXPECT_LE(window.picChart->geometry().bottom(), window.scrChart->y());
}

}  // namespace
