// Chart images of every class through the class analysis view's script commands, and the
// registration of the view with the main window and the script interpreter.
#include "analysis/ui/analysiswindows.h"
#include "analysis/ui/frmanalyzer.h"
#include "shell/automationtargets.h"
#include "shell/ui/windowopeners.h"
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
        basDefinition::RaceInfo.RaceDate = QDate(2004, 5, 16);
        addClass(
            QStringLiteral("M21E"), 1, true,
            {{"A", {"10:00", "5:00"}, "", "10:00:00"}, {"B", {"11:00", "6:00"}, "", "10:02:00"}});
        addClass(QStringLiteral("W21"), 1, true, {{"C", {"12:00", "5:00"}, "", "10:30:00"}});
    }
    QStringList written() const { return QDir(tempDir()).entryList({"*.png"}, QDir::Files); }
};

TEST_F(AutomationTest, ChartImagesOfEveryClass)
{
    frmAnalyzer window;
    EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempDir() + QStringLiteral(",Web")), 0);
    // Every image of every class that cannot be written is counted.
    EXPECT_EQ(window.Automation(QStringLiteral("CHART,") + tempPath("absent") + ",Web"), 4);
    EXPECT_EQ(written(), (QStringList{"04_web_m21e_1.png", "04_web_m21e_2.png", "04_web_w21_1.png",
                                      "04_web_w21_2.png"}));
    EXPECT_EQ(window.SelectedClass, "W21");
    EXPECT_FALSE(QImage(tempPath("04_web_w21_2.png")).isNull());
}

TEST_F(AutomationTest, CommandsAndTheirFiles)
{
    basDefinition::RaceInfo.RaceDate = QDate();
    frmAnalyzer window;
    window.Automation(QStringLiteral("chart2,") + tempDir() + QStringLiteral("/,x"));
    EXPECT_EQ(written(), (QStringList{"x_m21e_2.png", "x_w21_2.png"}));
    window.Automation(QStringLiteral("CHARTS,") + tempDir() + QStringLiteral(",y"));
    window.Automation(QStringLiteral("CHART1,") + tempDir());  // no label: nothing
    EXPECT_EQ(written().size(), 2);
}

TEST_F(AutomationTest, OneClassRace)
{
    basDefinition::ResetRace();
    addClass(QStringLiteral("Open"), 1, true, {{"A", {"10:00", "5:00"}}});
    frmAnalyzer window;
    window.Automation(QStringLiteral("CHART1,") + tempDir() + QStringLiteral(",z"));
    EXPECT_EQ(written(), QStringList{"z_open_1.png"});
}

TEST_F(AutomationTest, RegisteredWithTheScriptsAndTheMainWindow)
{
    RegisterAnalysisWindows();
    EXPECT_TRUE(AutomationTargets::RunAnalyzerAutomation(QStringLiteral("CHART1,") + tempDir() +
                                                         QStringLiteral(",s")));
    EXPECT_EQ(written().size(), 2);
    EXPECT_FALSE(AutomationTargets::HadWriteFailure());
    // A folder that cannot be written does not stop the script, but is noted for its end.
    EXPECT_TRUE(AutomationTargets::RunAnalyzerAutomation(
        QStringLiteral("CHART1,") + tempPath("absent") + QStringLiteral(",s")));
    EXPECT_TRUE(AutomationTargets::HadWriteFailure());
    AutomationTargets::ClearWriteFailures();
    basAnalyze::ResetWorkspace();
    WindowOpeners::OpenShowWindow(nullptr);  // offscreen: opened and closed at once
    EXPECT_EQ(basAnalyze::Workspace.AnaClassName, "M21E");
    AutomationTargets::setAnalyzerAutomation({});
    WindowOpeners::setShowWindowOpener({});
}

}  // namespace
