// The command line of the main window and the loading window.
#include "dueltest.h"

#include "config/ui/modal.h"
#include "lapfiles/racefile.h"
#include "shell/history.h"
#include "shell/ui/frmloadinfomation.h"

#include <QFrame>
#include <QLabel>

using namespace basDefinition;
using basAutomation::ScriptResult;

TEST_F(DuelTest, QuotedScriptPathRunsTheScriptAfterTheWindowIsShown)
{
    makeRace(QStringLiteral("Cup"));
    testDocument().setCurrentFilePath(tempPath("cup.lap"));
    QStringList seen;
    SetModalWatcher([&](QDialog& dialog) {
        seen << QString::fromLatin1(dialog.metaObject()->className()) +
                    (window->isVisible() ? " visible" : " hidden");
    });
    testsupport::writeCp932(tempPath("my script.sda"),
                            "VERSION,1\nINPUT,1,%1% %2%,x\nCLICKSHOW\nEXIT\n");
    const CommandLineOutcome outcome =
        window->OpenCommandLine({"\"" + tempPath("my script.sda") + "\"", "/web", "name"});
    SetModalWatcher({});
    EXPECT_EQ(outcome.kind, CommandLineOutcome::Kind::Script);
    EXPECT_EQ(outcome.script.result, ScriptResult::Exited);
    EXPECT_EQ(seen, QStringList({"frmAnalyzer visible"}));
    ASSERT_FALSE(prompts().log.empty());
    EXPECT_EQ(prompts().log.front().text, QStringLiteral("/web name"));
}

TEST_F(DuelTest, StoppedScriptLeavesTheProgramRunning)
{
    testsupport::writeCp932(tempPath("stop.sda"), "VERSION,1\nOPEN,missing.lap\n");
    const CommandLineOutcome outcome = window->OpenCommandLine({tempPath("stop.sda")});
    EXPECT_EQ(outcome.script.result, ScriptResult::Stopped);
    EXPECT_FALSE(window->IsClosed());
    EXPECT_EQ(asked(),
              QStringList({"ファイルを読み込めませんでした", "自動処理を中止します (line=2)"}));
}

TEST_F(DuelTest, LapFileOnTheCommandLineIsLoadedAndRemembered)
{
    makeRace(QStringLiteral("Command Cup"));
    basConvert::SaveRaceFile(testDocument(), tempPath("cmd.lap"), basConvert::SaveType::Lap);
    testDocument().resetRace();
    const CommandLineOutcome outcome = window->OpenCommandLine({tempPath("cmd.lap")});
    EXPECT_EQ(outcome.kind, CommandLineOutcome::Kind::File);
    EXPECT_TRUE(outcome.fileLoaded);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->lblRaceName->text(), QStringLiteral("Command Cup"));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).path, tempPath("cmd.lap"));
}

TEST_F(DuelTest, UnreadableFileOnTheCommandLineWarnsAndShowsTheStartPanel)
{
    const CommandLineOutcome outcome = window->OpenCommandLine({tempPath("missing.lap")});
    EXPECT_FALSE(outcome.fileLoaded);
    EXPECT_EQ(asked(), QStringList({"ファイルを読み込めませんでした"}));
    EXPECT_FALSE(window->picStart->isHidden());
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    // A file of a kind the program refuses (a double-click in the file manager) says so too.
    testsupport::writeCp932(tempPath("v3.lap"), "$LAPFILE Ver=3\n$名称=x\n");
    window->OpenCommandLine({tempPath("v3.lap")});
    EXPECT_EQ(asked().last(), QStringLiteral("この形式のファイルは読み込めません"));
}

TEST(LoadWindow, ShowsProgressWhileReadingAndThenTheOwner)
{
    QWidget owner;
    LoadWindowProgress progress(&owner);
    progress.begin();
    ASSERT_NE(progress.window(), nullptr);
    EXPECT_EQ(progress.window()->windowTitle(), QStringLiteral("しばらくお待ち下さい"));
    EXPECT_EQ(progress.window()->Label1->text(), QStringLiteral("ただいま読み込み中です"));
    EXPECT_TRUE(progress.window()->isVisible());
    EXPECT_FALSE(progress.window()->isModal());
    progress.progress(QStringLiteral(" 25%"));
    EXPECT_EQ(progress.window()->Label2->text(), QStringLiteral(" 25%"));
    progress.end();
    EXPECT_EQ(progress.window(), nullptr);
    EXPECT_TRUE(owner.isVisible());
}
