// The windows the main window opens from its buttons; the main window as the program a script
// runs in; and the script entries of the analysis view and the output dialog, which write what
// the script commands write.
#include "dueltest.h"

#include "analysis/ui/frmanalyzer.h"
#include "config/ui/modal.h"
#include "editing/ui/frmclassedit.h"
#include "lapfiles/racefile.h"
#include "reports/ui/frmoutput.h"
#include "shell/automation.h"

#include <QApplication>
#include <QDir>

using basAutomation::ScriptResult;

namespace {

class ScriptWindowsTest : public DuelTest {
protected:
    void TearDown() override
    {
        SetModalWatcher({});
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
    // Runs the lines as a script in the main window, %1% the folder.
    basAutomation::ScriptOutcome runInWindow(const QString& lines, const QString& folder = {})
    {
        testsupport::writeCp932(tempPath("s.sda"), "VERSION,1\n" + lines);
        return basAutomation::RunScriptFile(tempPath("s.sda"), *window, {folder});
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

// The window commands of a script press the main window's own buttons: the analysis view
// opens over it, the file chosen in the open dialog is loaded and shown, and the exit closes the
// window unless its save question is cancelled.
TEST_F(ScriptWindowsTest, WindowCommandsOfAScriptUseTheMainWindowsButtons)
{
    makeRace(QStringLiteral("Cup"));
    basConvert::SaveRaceFile(testDocument(), tempPath("cup.lap"), basConvert::SaveType::Lap);
    testDocument().resetRace();
    watchWindows();
    EXPECT_EQ(runInWindow("OPEN,cup.lap\nCLICKSHOW\n").result, ScriptResult::Completed);
    EXPECT_EQ(opened, QStringList({"frmAnalyzer owned"}));
    EXPECT_EQ(window->lblRaceName->text(), QStringLiteral("Cup"));

    testDocument().resetRace();
    window->ShowRaceInfo();
    prompts().files.push_back({tempPath("cup.lap"), 1});
    EXPECT_EQ(runInWindow("CLICKOPEN\n").result, ScriptResult::Completed);
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("cup.lap"));
    EXPECT_FALSE(window->PicRaceInfo->isHidden());

    testDocument().setDataModified(true);
    EXPECT_EQ(runInWindow("CLICKEXIT\nINPUT,1,after,x\n").result, ScriptResult::Completed);
    EXPECT_FALSE(window->IsClosed());
    prompts().answers = {Prompts::Answer::No};
    EXPECT_EQ(runInWindow("CLICKEXIT\nINPUT,1,never,x\n").result, ScriptResult::Exited);
    EXPECT_TRUE(window->IsClosed());
    EXPECT_EQ(asked().count("終了する前にデータを保存しますか？"), 2);
}

// The analysis view's and the output dialog's own script entries write what a script run in
// the main window writes, byte for byte; an image that cannot be written is counted by the view
// and noted by the script, which goes on. The folder of the pages is the one the output dialog
// opens on next time.
TEST_F(ScriptWindowsTest, WindowEntriesWriteWhatScriptsWrite)
{
    makeRace(QStringLiteral("Cup"));
    const QString byWindows = tempPath("windows"), byScript = tempPath("script");
    ASSERT_TRUE(QDir().mkpath(byWindows) && QDir().mkpath(byScript));
    frmAnalyzer analyzer(testDocument(), window.get());
    EXPECT_EQ(analyzer.Automation("CHART," + byWindows + ",s"), 0);
    frmOutput output(testDocument(), window.get());
    EXPECT_TRUE(output.Automation("LEG," + byWindows + ",Web"));
    EXPECT_TRUE(output.Automation("html," + byWindows + ",Web"));
    const basAutomation::ScriptOutcome ran =
        runInWindow("CHART,%1%,s\nLEG,%1%,Web\nhtml,%1%,Web\n", byScript);
    EXPECT_EQ(ran.result, ScriptResult::Completed);
    EXPECT_FALSE(ran.writeFailed);
    EXPECT_EQ(basSettings::OutputFolder(), byScript + "/");

    const QStringList files = written(byWindows);
    EXPECT_TRUE(files.contains("02_s_m21_1.png") && files.contains("02_web_leg_m21.htm") &&
                files.contains("02_web_m21.htm") && files.contains("02_web_index.htm"))
        << files.join(' ').toStdString();
    ASSERT_EQ(written(byScript), files);
    for (const QString& name : files)
        EXPECT_EQ(testsupport::readBytes(byScript + "/" + name),
                  testsupport::readBytes(byWindows + "/" + name))
            << name.toStdString();

    const QString absent = tempPath("absent");
    EXPECT_EQ(analyzer.Automation("CHART1," + absent + ",s"), 1);
    const basAutomation::ScriptOutcome failed = runInWindow("CHART1,%1%,s\nEXIT\n", absent);
    EXPECT_EQ(failed.result, ScriptResult::Exited);
    EXPECT_TRUE(failed.writeFailed);
    EXPECT_FALSE(output.Automation("HTML," + tempPath("missing") + ",Web"));
    EXPECT_TRUE(output.Automation("OTHER,x,y"));
}

}  // namespace
