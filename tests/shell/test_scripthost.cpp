// Scripts run without windows (the plain ScriptHost, as splitduel-cli run has it): the commands
// of the main window's buttons do what a cancelled window would, the exit asks before it loses
// changes, and the settings are read but never written.
#include "scripttest.h"

#include "config/settings.h"
#include "race/race.h"

#include <QDir>
#include <QFile>

using basAutomation::ScriptResult;
using Prompts::Answer;

namespace {

const QString kExitQuestion = QStringLiteral("終了する前にデータを保存しますか？");

class WithoutWindows : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        ASSERT_TRUE(QFile::copy(testsupport::examplePath("spring-cup.lap"), tempPath("race.lap")));
        basSettings::ResetSettings(tempPath("settings"));
    }
    void TearDown() override { basSettings::ResetSettings(QString()); }

    basAutomation::ScriptHost plain;
};

}  // namespace

TEST_F(WithoutWindows, ButtonCommandsDoWhatACancelledWindowWould)
{
    const struct {
        const char* lines;
        bool modified;  // the race has unsaved changes before the script's last command
        std::optional<Answer> answer;
        ScriptResult result;
        QStringList asked;  // after the script's own INPUT boxes
    } cases[] = {
        {"OPEN,race.lap\nCLICKSHOW\nINPUT,1,after,x",
         false,
         {},
         ScriptResult::Completed,
         {"after"}},
        {"CLICKOPEN\nINPUT,1,after,x", false, {}, ScriptResult::Stopped, {}},
        {"OPEN,race.lap\nCLICKOPEN\nINPUT,1,after,x",
         false,
         {},
         ScriptResult::Completed,
         {"after"}},
        {"CLICKEXIT\nINPUT,1,after,x", false, {}, ScriptResult::Exited, {}},
        {"CLICKEXIT\nINPUT,1,after,x", true, {}, ScriptResult::Completed, {kExitQuestion, "after"}},
        {"CLICKEXIT\nINPUT,1,after,x", true, Answer::No, ScriptResult::Exited, {kExitQuestion}},
        // Nowhere to save to: the program stays, as after a cancelled save dialog.
        {"CLICKEXIT\nINPUT,1,after,x",
         true,
         Answer::Yes,
         ScriptResult::Completed,
         {kExitQuestion, "after"}},
    };
    for (const auto& c : cases) {
        plain.Document().resetRace();
        plain.Document().setDataModified(c.modified);
        prompts().log.clear();
        if (c.answer) prompts().answers = {*c.answer};
        const QString script = writeScript(QStringLiteral("VERSION,1\n") + c.lines);
        const basAutomation::ScriptOutcome outcome = basAutomation::RunScriptFile(script, plain);
        EXPECT_EQ(outcome.result, c.result) << c.lines;
        QStringList asked;
        for (const auto& record : prompts().log)
            if (!record.text.startsWith("自動処理を中止します")) asked << record.text;
        EXPECT_EQ(asked, c.asked) << c.lines;
    }
}

// The pages link the address of the settings file; the folder they went to is not kept, and the
// settings file is neither made nor changed.
TEST_F(WithoutWindows, SettingsAreReadButNeverWritten)
{
    const QString ini = tempPath("settings/SplitDuel.ini");
    ASSERT_TRUE(QDir().mkpath(tempPath("settings")) && QDir().mkpath(tempPath("web")));
    const QString script = writeScript("VERSION,1\nOPEN,race.lap\nHTML,web,p\nEXIT");
    EXPECT_EQ(basAutomation::RunScriptFile(script, plain).result, ScriptResult::Exited);
    EXPECT_FALSE(QFile::exists(ini));

    testsupport::writeCp932(ini, "HomePageUrl=https://example.org/club\nHtmlFolder=/old\n");
    const QByteArray before = testsupport::readBytes(ini);
    EXPECT_EQ(plain.Setting("HomePageUrl"), QStringLiteral("https://example.org/club"));
    EXPECT_EQ(basAutomation::ExitStatus(basAutomation::RunScriptFile(script, plain)), 0);
    EXPECT_TRUE(
        testsupport::readCp932(tempPath("web/24_p_m21a.htm")).contains("https://example.org/club"));
    EXPECT_EQ(testsupport::readBytes(ini), before);
}
