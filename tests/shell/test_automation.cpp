// Automation scripts: the first-line check, variables, line numbers of the stop message, the
// commands and the windows they are passed to.
#include "scripttest.h"

#include "config/registry.h"
#include "race/race.h"

#include <QDir>
#include <QFile>

using basAutomation::ScriptResult;

namespace {

const char* const kSmallRace =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Spring Cup\n$日時=2002/05/12\n$場所=North Forest\n"
    "$備考=\n$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=2\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
    "M21,Runner One,Club A,10:00:00,00:30:00,00:08:00,00:12:00,00:10:00\n";

// Every command the analysis window and the output dialog receive, its fields joined by ",".
struct TargetLog {
    QStringList analyzer;
    QStringList output;
    void install(bool answer = true)
    {
        AutomationTargets::setAnalyzerAutomation([this, answer](const QStringList& c) {
            analyzer << c.join(',');
            return answer;
        });
        AutomationTargets::setOutputAutomation([this, answer](const QStringList& c) {
            output << c.join(',');
            return answer;
        });
    }
};

}  // namespace

TEST_F(ScriptTest, FirstLineMustReadVersion1InAnyCase)
{
    EXPECT_EQ(run("version,1\nCLICKSHOW"), ScriptResult::Stopped);  // ran: nothing is loaded
    EXPECT_EQ(run("\nVERSION,1\nEXIT"), ScriptResult::NotRun);
    EXPECT_EQ(run("VERSION,2\nEXIT"), ScriptResult::NotRun);
    EXPECT_EQ(basAutomation::RunScriptFile(tempPath("missing.sda"), host), ScriptResult::NotRun);
    // A script that is not run says why, naming the file.
    const QString notVersion1 = "スクリプトを実行できません: " + tempPath("test.sda") +
                                " (1行目が VERSION,1 ではありません)";
    EXPECT_EQ(messages(), QStringList({"表示できません", "自動処理を中止します (line=2)",
                                       notVersion1, notVersion1,
                                       "スクリプトを実行できません: " + tempPath("missing.sda") +
                                           " (ファイルがありません)"}));
}

// Empty lines, lines of commas and spaces and comments do nothing; any keyword the interpreter
// does not know, a misspelt one or one with a space before or after it, stops the script.
TEST_F(ScriptTest, UnknownCommandsStopTheScriptAndEmptyLinesAreIgnored)
{
    EXPECT_EQ(run("VERSION,1\n\n , ,\n\t\nVERSION,1\nREM\nrem 例: a, b\nREM,x\n"),
              ScriptResult::Completed);
    for (const QString keyword : {"HTLM", " HTML", "HTML ", " REM", "REMARK", "ＨＴＭＬ", "CHART3"})
        EXPECT_EQ(run("VERSION,1\n" + keyword + ",/web,page\nEXIT"), ScriptResult::Stopped)
            << keyword.toStdString();
    EXPECT_EQ(messages().first(), "不明なコマンドです: 「HTLM」");
    EXPECT_TRUE(host.commands.isEmpty());
}

TEST_F(ScriptTest, VariablesAreReplacedIgnoringCaseAndTenIsNoVariable)
{
    TargetLog targets;
    targets.install();
    basDefinition::RaceInfo.RaceName = QStringLiteral("春の大会");
    prompts().inputs = {QStringLiteral("/out"), std::nullopt};
    const ScriptResult result = run(
        "VERSION,1\n"
        "INPUT,1,出力先,/default\n"
        "INPUT,2,名前,x\n"
        "CHART,%1%,%EventName%-[%2%]-%10%-%3%\n"
        "HTML,%DESKTOP%,%Documents%\n",
        {QStringLiteral("ignored: INPUT sets it"), QStringLiteral("b"), QStringLiteral("three")});
    ASSERT_EQ(result, ScriptResult::Completed);
    // INPUT overrides the command-line value; a cancelled input box leaves the variable empty.
    EXPECT_EQ(targets.analyzer, QStringList({"CHART,/out,春の大会-[]-%10%-three"}));
    EXPECT_EQ(targets.output, QStringList({"HTML," + CbasWinAPI::SpecialFolderPath(0) + "," +
                                           CbasWinAPI::SpecialFolderPath(5)}));
}

TEST_F(ScriptTest, EventNameIsTakenAfreshForEveryLine)
{
    TargetLog targets;
    targets.install();
    const QString lap = tempPath("race.lap");
    testsupport::writeCp932(lap, kSmallRace);
    ASSERT_EQ(run("VERSION,1\nLEG,/web,%eventname%\nOPEN,race.lap\nLEG,/web,%eventname%"),
              ScriptResult::Completed);
    EXPECT_EQ(targets.output, QStringList({"LEG,/web,", "LEG,/web,Spring Cup"}));
    EXPECT_EQ(host.commands, QStringList({"OBJECTCONTROL"}));
    EXPECT_EQ(basDefinition::FileResult, 0);
}

TEST_F(ScriptTest, AnErrorStopsTheScriptWithItsLineNumber)
{
    TargetLog targets;
    targets.install();
    const ScriptResult result =
        run("VERSION,1\n"
            ",\n"
            "\n"
            "CHART1,/web,first\n"
            "LAPCOPY,/only-a-folder\n"  // line 5: the name is missing
            "CHART2,/web,never\n"
            "EXIT\n");
    EXPECT_EQ(result, ScriptResult::Stopped);
    EXPECT_EQ(targets.analyzer, QStringList({"CHART1,/web,first"}));
    ASSERT_EQ(messages(), QStringList({"自動処理を中止します (line=5)"}));
    EXPECT_EQ(prompts().log.back().buttons, Prompts::Buttons::Ok);
}

TEST_F(ScriptTest, CommandsOfWindowsThatReportFailureOrAreMissingStop)
{
    EXPECT_EQ(run("VERSION,1\nHTML,/web,page"), ScriptResult::Stopped);  // no output dialog
    TargetLog targets;
    targets.install(false);
    EXPECT_EQ(run("VERSION,1\nCHART,/web,page"), ScriptResult::Stopped);
    EXPECT_EQ(messages(),
              QStringList({"自動処理を中止します (line=2)", "自動処理を中止します (line=2)"}));
}

TEST_F(ScriptTest, RelativeAndBackslashPathsAreTakenFromTheScriptFolder)
{
    TargetLog targets;
    targets.install();
    ASSERT_EQ(run("VERSION,1\nHTML,web\\live,page\nLEG,/abs/web,p"), ScriptResult::Completed);
    EXPECT_EQ(targets.output, QStringList({"HTML," + QDir(tempDir()).filePath("web/live") + ",page",
                                           "LEG,/abs/web,p"}));
}

TEST_F(ScriptTest, OpenReadsTheFileOrStopsWithTheReadingMessage)
{
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    ASSERT_EQ(run("VERSION,1\nOPEN,\"race.lap\""), ScriptResult::Completed);
    EXPECT_EQ(basDefinition::RaceInfo.RaceName, QStringLiteral("Spring Cup"));
    EXPECT_EQ(basDefinition::CurrentFilePath, tempPath("race.lap"));

    host.commands.clear();
    EXPECT_EQ(run("VERSION,1\nOPEN,missing.lap\nEXIT"), ScriptResult::Stopped);
    EXPECT_EQ(host.commands, QStringList({"OBJECTCONTROL"}));
    EXPECT_EQ(messages(),
              QStringList({"ファイルを読み込めませんでした", "自動処理を中止します (line=2)"}));
    EXPECT_EQ(prompts().log.front().icon, Prompts::Icon::Exclamation);
    EXPECT_EQ(basDefinition::FileResult, 0);
}

TEST_F(ScriptTest, ClickShowNeedsALoadedFile)
{
    EXPECT_EQ(run("VERSION,1\nCLICKSHOW"), ScriptResult::Stopped);
    EXPECT_TRUE(host.commands.isEmpty());
    basDefinition::CurrentFilePath = tempPath("race.lap");
    EXPECT_EQ(run("VERSION,1\nCLICKSHOW"), ScriptResult::Completed);
    EXPECT_EQ(host.commands, QStringList({"CLICK,4"}));
}

TEST_F(ScriptTest, ClickOpenStopsWhenStillNoFileIsLoaded)
{
    EXPECT_EQ(run("VERSION,1\nCLICKOPEN\nEXIT"), ScriptResult::Stopped);
    host.react = [this](const QString&) { basDefinition::CurrentFilePath = tempPath("a.lap"); };
    EXPECT_EQ(run("VERSION,1\nCLICKOPEN\nEXIT"), ScriptResult::Exited);
    EXPECT_EQ(host.commands, QStringList({"CLICK,1", "CLICK,1"}));
}

TEST_F(ScriptTest, ClickExitEndsTheProgramUnlessUnsavedDataKeepsItOpen)
{
    EXPECT_EQ(run("VERSION,1\nCLICKEXIT\nCHART,never,run"), ScriptResult::Exited);
    EXPECT_EQ(host.commands, QStringList({"CLICK,6"}));

    // The save question was cancelled: the window stays and the script goes on.
    basDefinition::DataModified = true;
    EXPECT_EQ(run("VERSION,1\nCLICKEXIT\n,"), ScriptResult::Completed);
    // Answered "No": the window has closed without saving, so the program ends.
    host.closed = true;
    EXPECT_EQ(run("VERSION,1\nCLICKEXIT\nCHART,never,run"), ScriptResult::Exited);
}

TEST_F(ScriptTest, InputChecksTheVariableNumberBeforeAsking)
{
    EXPECT_EQ(run("VERSION,1\nINPUT,10,prompt,default"), ScriptResult::Stopped);
    EXPECT_EQ(run("VERSION,1\nINPUT,0,prompt,default"), ScriptResult::Stopped);
    EXPECT_EQ(run("VERSION,1\nINPUT,1,prompt"), ScriptResult::Stopped);  // no default
    for (const auto& record : prompts().log) EXPECT_NE(record.kind, QStringLiteral("input"));
}

TEST_F(ScriptTest, InputFolderStopsWhenCancelledAndStoresTheChosenFolder)
{
    TargetLog targets;
    targets.install();
    EXPECT_EQ(run("VERSION,1\nINPUTFOLDER,1,出力フォルダ\nEXIT"), ScriptResult::Stopped);
    prompts().folders = {QStringLiteral("/srv/web")};
    EXPECT_EQ(run("VERSION,1\nINPUTFOLDER,9,出力フォルダ\nHTML,%9%,p"), ScriptResult::Completed);
    EXPECT_EQ(targets.output, QStringList({"HTML,/srv/web,p"}));
    EXPECT_EQ(prompts().log[0].kind, QStringLiteral("folder"));
    EXPECT_EQ(prompts().log[0].text, QStringLiteral("出力フォルダ"));
}

TEST_F(ScriptTest, LinesEndingInLfAloneAreReadToo)
{
    TargetLog targets;
    targets.install();
    testsupport::writeCp932(tempPath("lf.sda"), "VERSION,1\nLEG,/a,b\nLEG,/c,d", false);
    EXPECT_EQ(basAutomation::RunScriptFile(tempPath("lf.sda"), host), ScriptResult::Completed);
    EXPECT_EQ(targets.output, QStringList({"LEG,/a,b", "LEG,/c,d"}));
}

// A folder variable the script was not given must not turn into the root folder.
TEST_F(ScriptTest, AnEmptyOutputFolderStopsTheScriptBeforeWriting)
{
    TargetLog targets;
    targets.install();
    basDefinition::CurrentFilePath = writeScript("VERSION,1");
    for (const char* line :
         {"LAPCOPY,%1%,copy", "XCSV,%1%", "XCSV, ", "CHART,%2%,web_", "HTML,,p"}) {
        prompts().log.clear();
        EXPECT_EQ(run(QStringLiteral("VERSION,1\n") + line), ScriptResult::Stopped) << line;
        EXPECT_EQ(messages(), QStringList({"自動処理を中止します (line=2)"})) << line;
    }
    EXPECT_TRUE(targets.analyzer.isEmpty());
    EXPECT_TRUE(targets.output.isEmpty());
}
