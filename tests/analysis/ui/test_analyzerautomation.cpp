// Chart images of every class through the class analysis view's script commands.
#include "analysis/analyze.h"
#include "analysis/ui/frmanalyzer.h"
#include "chart/chartimage.h"
#include "chart/ui/frmgraph.h"
#include "common/scriptedprompts.h"
#include "race/prompts.h"
#include "viewtest.h"

#include <QDir>
#include <QFile>
#include <QImage>

using namespace viewtest;

namespace {

class AutomationTest : public ViewTest {
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        testRace().RaceInfo.RaceDate = QDate(2004, 5, 16);
        addClass(
            QStringLiteral("M21E"), 1, true,
            {{"A", {"10:00", "5:00"}, "", "10:00:00"}, {"B", {"11:00", "6:00"}, "", "10:02:00"}});
        addClass(QStringLiteral("W21"), 1, true, {{"C", {"12:00", "5:00"}, "", "10:30:00"}});
    }
    QStringList written() const { return QDir(tempDir()).entryList({"*.png"}, QDir::Files); }
};

TEST_F(AutomationTest, ChartImagesOfEveryClass)
{
    frmAnalyzer window(testDocument());
    EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempDir() + QStringLiteral(",Web")), 0);
    // Every image of every class that cannot be written is counted.
    EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempPath("absent") + ",Web"), 4);
    EXPECT_EQ(written(), (QStringList{"04_web_m21e_1.png", "04_web_m21e_2.png", "04_web_w21_1.png",
                                      "04_web_w21_2.png"}));
    EXPECT_EQ(window.SelectedClass, "W21");
    EXPECT_FALSE(QImage(tempPath("04_web_w21_2.png")).isNull());
}

// The images of all classes are drawn side by side; each file must hold the picture of its own
// class as drawn alone, and files that cannot be written are reported in the order of the
// classes and images, not in the order their drawing ended.
TEST_F(AutomationTest, ImagesDrawnSideBySideMatchTheirClassesAndFailuresComeInOrder)
{
    testDocument().resetRace();
    testRace().RaceInfo.RaceDate = QDate(2004, 5, 16);
    QStringList classes;
    for (int c = 0; c < 7; ++c) {
        std::vector<Runner> runners;
        // Classes of different sizes and shapes, so the drawings end at different times.
        for (int r = 0; r < 3 + 9 * (c % 3); ++r) {
            const QString leg = QStringLiteral("%1:%2").arg(5 + (r * 3 + c) % 17).arg(10 + r % 50);
            runners.push_back(
                {QStringLiteral("走者%1の%2").arg(c).arg(r),
                 {leg, leg, QStringLiteral("1:%1").arg(10 + r)},
                 "",
                 QStringLiteral("10:%1:00").arg((c * 7 + r) % 60, 2, 10, QLatin1Char('0'))});
        }
        classes << QStringLiteral("C%1").arg(c);
        addClass(classes.last(), 2, true, runners);
    }
    // A folder under the name of an image cannot be replaced by the file.
    const QStringList blocked = {tempPath("04_web_c2_2.png"), tempPath("04_web_c5_1.png")};
    for (const QString& path : blocked) ASSERT_TRUE(QDir().mkpath(path));

    frmAnalyzer window(testDocument());
    auto prompts = std::make_unique<Prompts::ScriptedPrompts>();
    Prompts::ScriptedPrompts* scripted = prompts.get();
    {
        // The log lives as long as the prompts are installed.
        const Prompts::ScopedPrompts scope(std::move(prompts));
        EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempDir() + ",Web"), 2);
        ASSERT_EQ(scripted->log.size(), 2u);
        for (int i = 0; i < 2; ++i)
            EXPECT_EQ(scripted->log[i].text, "画像を保存できませんでした: " + blocked[i] +
                                                 " (同じ名前のフォルダがあります)");
    }

    for (const QString& name : classes) {
        SCOPED_TRACE(name.toStdString());
        // The picture a chart window of the class, just opened, saves.
        const frmGraph chart(basAnalyze::AnalyzeClass(testRace(), name), testDocument());
        const basAnalyze::AnalysisWorkspace& ws = chart.Analysis();
        for (const basChart::ChartMode mode :
             {basChart::ChartMode::RaceTime, basChart::ChartMode::ClockTime}) {
            basChart::ChartRequest request = chart.Request();
            request.mode = mode;
            const QString file = tempPath(QStringLiteral("04_web_%1_%2.png")
                                              .arg(name.toLower())
                                              .arg(mode == basChart::ChartMode::RaceTime ? 1 : 2));
            if (blocked.contains(file)) continue;
            const QImage expected =
                basChart::RenderChartImage(ws, *basChart::ExportRequest(ws, request));
            EXPECT_EQ(QImage(file).convertToFormat(QImage::Format_RGB32), expected);
        }
    }
}

TEST_F(AutomationTest, CommandsAndTheirFiles)
{
    testRace().RaceInfo.RaceDate = QDate();
    frmAnalyzer window(testDocument());
    window.Automation(QStringLiteral("chart2,") + tempDir() + QStringLiteral("/,x"));
    EXPECT_EQ(written(), (QStringList{"x_m21e_2.png", "x_w21_2.png"}));
    window.Automation(QStringLiteral("CHARTS,") + tempDir() + QStringLiteral(",y"));
    window.Automation(QStringLiteral("CHART1,") + tempDir());  // no label: nothing
    EXPECT_EQ(written().size(), 2);
}

TEST_F(AutomationTest, OneClassRace)
{
    testDocument().resetRace();
    addClass(QStringLiteral("Open"), 1, true, {{"A", {"10:00", "5:00"}}});
    frmAnalyzer window(testDocument());
    window.Automation(QStringLiteral("CHART1,") + tempDir() + QStringLiteral(",z"));
    EXPECT_EQ(written(), QStringList{"z_open_1.png"});
}

}  // namespace
