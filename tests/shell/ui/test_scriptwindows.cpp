// The windows the main window opens from its buttons, and the same windows driven by scripts.
#include "dueltest.h"

#include "analysis/ui/frmanalyzer.h"
#include "config/ui/modal.h"
#include "editing/ui/frmclassedit.h"
#include "reports/ui/frmoutput.h"
#include "shell/automationtargets.h"
#include "shell/ui/scriptwindows.h"

#include <QApplication>
#include <QDir>

namespace {

class ScriptWindowsTest : public DuelTest {
protected:
    void TearDown() override
    {
        SetModalWatcher({});
        AutomationTargets::setAnalyzerAutomation({});
        AutomationTargets::setOutputAutomation({});
        AutomationTargets::ClearWriteFailures();
        DuelTest::TearDown();
    }
    // The class names of the windows opened modally, with "owned" when the main window owns them.
    void watchWindows()
    {
        opened.clear();
        SetModalWatcher([this](QDialog& dialog) {
            opened << QString::fromLatin1(dialog.metaObject()->className()) +
                          (dialog.parentWidget() == window.get() ? " owned" : "");
        });
    }
    QStringList written(const QString& folder) const
    {
        return QDir(folder).entryList(QDir::Files, QDir::Name);
    }
    QStringList opened;
};

TEST_F(ScriptWindowsTest, TheButtonsOpenTheirWindowsOverTheMainWindow)
{
    makeRace(QStringLiteral("Cup"));
    window->ShowRaceInfo();
    watchWindows();
    window->cmbFunc_Click(2);
    window->cmbFunc_Click(4);
    window->cmbFunc_Click(5);
    window->cmbFunc_Click(5);
    EXPECT_EQ(opened, QStringList({"frmClassEdit owned", "frmAnalyzer owned", "frmOutput owned",
                                   "frmOutput owned"}));
    // The output dialog is kept, one per window.
    EXPECT_EQ(window->findChildren<frmOutput*>().size(), 1);
    EXPECT_TRUE(window->findChildren<frmClassEdit*>().isEmpty());
    EXPECT_TRUE(window->findChildren<frmAnalyzer*>().isEmpty());
}

TEST_F(ScriptWindowsTest, ScriptCommandsReachTheAnalysisViewAndTheOutputDialog)
{
    makeRace(QStringLiteral("Cup"));
    RegisterScriptWindows();
    const QString out = tempPath(QStringLiteral("out"));
    QDir().mkpath(out);
    EXPECT_TRUE(AutomationTargets::RunAnalyzerAutomation("CHART1," + out + ",s"));
    EXPECT_EQ(written(out), QStringList({"02_s_m21_1.png"}));
    EXPECT_FALSE(AutomationTargets::HadWriteFailure());
    // A folder that cannot be written does not stop the script, but is noted for its end.
    EXPECT_TRUE(AutomationTargets::RunAnalyzerAutomation("CHART1," + tempPath("absent") + ",s"));
    EXPECT_TRUE(AutomationTargets::HadWriteFailure());

    QDir(out).removeRecursively();
    QDir().mkpath(out);
    EXPECT_TRUE(AutomationTargets::RunOutputAutomation("LEG," + out + ",Web"));
    EXPECT_TRUE(AutomationTargets::RunOutputAutomation("html," + out + ",Web"));
    EXPECT_EQ(written(out),
              QStringList({"02_web_index.htm", "02_web_leg_m21.htm", "02_web_m21.htm"}));
    EXPECT_TRUE(AutomationTargets::RunOutputAutomation("OTHER,x,y"));
    EXPECT_FALSE(AutomationTargets::RunOutputAutomation("HTML," + tempPath("missing") + ",Web"));
    // Each command ran in a window of its own, unloaded afterwards.
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_EQ(qobject_cast<frmOutput*>(widget), nullptr);
}

}  // namespace
