// Automation scripts: the first-line check, variables, line numbers of the stop message, the
// commands and what they ask of the program around them.
#include "scripttest.h"

#include "race/race.h"
#include "shell/scriptcommands.h"

#include <QDir>
#include <QFile>

using basAutomation::ScriptResult;

namespace {

const char* const kSmallRace =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Spring Cup\n$日時=2002/05/12\n$場所=North Forest\n"
    "$備考=\n$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=2\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎\n"
    "M21,Runner One,Club A,10:00:00,00:30:00,00:08:00,00:12:00,00:10:00\n";

// The texts of the input boxes shown so far.
QStringList inputPrompts(const Prompts::ScriptedPrompts& prompts)
{
    QStringList texts;
    for (const auto& record : prompts.log)
        if (record.kind == QLatin1String("input")) texts << record.text;
    return texts;
}

}  // namespace

TEST_F(ScriptTest, FirstLineMustReadVersion1InAnyCase)
{
    EXPECT_EQ(run("version,1\nCLICKSHOW"), ScriptResult::Stopped);  // ran: nothing is loaded
    EXPECT_EQ(run("\nVERSION,1\nEXIT"), ScriptResult::NotRun);
    EXPECT_EQ(run("VERSION,2\nEXIT"), ScriptResult::NotRun);
    EXPECT_EQ(basAutomation::RunScriptFile(tempPath("missing.sda"), host).result,
              ScriptResult::NotRun);
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
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    ASSERT_TRUE(QDir().mkpath(tempPath("out")));
    prompts().inputs = {tempPath("out"), std::nullopt};
    const ScriptResult result = run(
        "VERSION,1\n"
        "OPEN,race.lap\n"
        "INPUT,1,出力先,/default\n"
        "INPUT,2,名前,x\n"
        "LAPCOPY,%1%,%EventName%-[%2%]-%10%-%3%\n",
        {QStringLiteral("ignored: INPUT sets it"), QStringLiteral("b"), QStringLiteral("three")});
    ASSERT_EQ(result, ScriptResult::Completed);
    // INPUT overrides the command-line value; a cancelled input box leaves the variable empty.
    EXPECT_EQ(QDir(tempPath("out")).entryList(QDir::Files),
              QStringList({"02_Spring Cup-[]-%10%-three.lap"}));
    basAutomation::ScriptContext context{host, tempDir(), "/desk", "/docs", {}};
    EXPECT_EQ(basAutomation::LineFields(context, "HTML,%DESKTOP%,%Documents%"),
              QStringList({"HTML", "/desk", "/docs"}));
    // Every comma ends a field: a script quotes nothing.
    EXPECT_EQ(basAutomation::LineFields(context, "HTML,\"a,b\",,%desktop%\""),
              QStringList({"HTML", "\"a", "b\"", "", "/desk\""}));
}

TEST_F(ScriptTest, EventNameIsTakenAfreshForEveryLine)
{
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    testsupport::writeCp932(tempPath("other.lap"),
                            QString(kSmallRace).replace("Spring Cup", "Autumn Cup"));
    ASSERT_TRUE(QDir().mkpath(tempPath("out")));
    ASSERT_EQ(run("VERSION,1\nOPEN,race.lap\nLAPCOPY,out,%eventname%\nOPEN,other.lap\n"
                  "LAPCOPY,out,%eventname%"),
              ScriptResult::Completed);
    EXPECT_EQ(QDir(tempPath("out")).entryList(QDir::Files, QDir::Name),
              QStringList({"02_Autumn Cup.lap", "02_Spring Cup.lap"}));
    EXPECT_EQ(host.commands, QStringList({"RaceChanged", "RaceChanged"}));
}

TEST_F(ScriptTest, AnErrorStopsTheScriptWithItsLineNumber)
{
    const ScriptResult result =
        run("VERSION,1\n"
            ",\n"
            "\n"
            "INPUT,1,first,x\n"
            "LAPCOPY,/only-a-folder\n"  // line 5: the name is missing
            "INPUT,2,never,y\n"
            "EXIT\n");
    EXPECT_EQ(result, ScriptResult::Stopped);
    EXPECT_EQ(inputPrompts(prompts()), QStringList({"first"}));
    ASSERT_EQ(messages(), QStringList({"自動処理を中止します (line=5)"}));
    EXPECT_EQ(prompts().log.back().buttons, Prompts::Buttons::Ok);
}

// HTML and LEG write what the output dialog writes: the pages of every class and the index
// page into the folder, which the program remembers for its dialog; a folder that cannot take
// them stops the script with the dialog's message, and so does a run without a file name.
TEST_F(ScriptTest, PagesAreWrittenIntoTheFolderOrStopTheScript)
{
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    ASSERT_TRUE(QDir().mkpath(tempPath("web/live")));
    ASSERT_EQ(run("VERSION,1\nOPEN,race.lap\nHTML,web\\live,page\nleg,web/live,page"),
              ScriptResult::Completed);
    EXPECT_EQ(QDir(tempPath("web/live")).entryList(QDir::Files, QDir::Name),
              QStringList({"02_page_index.htm", "02_page_leg_m21.htm", "02_page_m21.htm"}));
    const QString folder = QDir(tempDir()).filePath("web/live");
    EXPECT_EQ(host.commands, QStringList({"RaceChanged", "OutputFolderUsed " + folder,
                                          "OutputFolderUsed " + folder}));

    prompts().log.clear();
    EXPECT_EQ(run("VERSION,1\nOPEN,race.lap\nHTML,missing,page"), ScriptResult::Stopped);
    EXPECT_EQ(messages(), QStringList({"出力フォルダがありません: " + tempPath("missing"),
                                       "自動処理を中止します (line=3)"}));
    prompts().log.clear();
    EXPECT_EQ(run("VERSION,1\nOPEN,race.lap\nLEG,web,"), ScriptResult::Stopped);
    EXPECT_EQ(messages(), QStringList({"自動処理を中止します (line=3)"}));
    EXPECT_TRUE(QDir(tempPath("web")).entryList(QDir::Files).isEmpty());
}

TEST_F(ScriptTest, OpenReadsTheFileOrStopsWithTheReadingMessage)
{
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    ASSERT_EQ(run("VERSION,1\nOPEN,\"race.lap\""), ScriptResult::Completed);
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("Spring Cup"));
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("race.lap"));

    host.commands.clear();
    EXPECT_EQ(run("VERSION,1\nOPEN,missing.lap\nEXIT"), ScriptResult::Stopped);
    EXPECT_EQ(host.commands, QStringList({"RaceChanged"}));
    EXPECT_EQ(messages(),
              QStringList({"ファイルを読み込めませんでした", "自動処理を中止します (line=2)"}));
    EXPECT_EQ(prompts().log.front().icon, Prompts::Icon::Exclamation);
}

TEST_F(ScriptTest, ClickShowNeedsALoadedFile)
{
    EXPECT_EQ(run("VERSION,1\nCLICKSHOW"), ScriptResult::Stopped);
    EXPECT_TRUE(host.commands.isEmpty());
    testDocument().setCurrentFilePath(tempPath("race.lap"));
    EXPECT_EQ(run("VERSION,1\nCLICKSHOW"), ScriptResult::Completed);
    EXPECT_EQ(host.commands, QStringList({"ShowAnalysis"}));
}

TEST_F(ScriptTest, ClickOpenStopsWhenStillNoFileIsLoaded)
{
    EXPECT_EQ(run("VERSION,1\nCLICKOPEN\nEXIT"), ScriptResult::Stopped);
    host.react = [this](const QString&) { testDocument().setCurrentFilePath(tempPath("a.lap")); };
    EXPECT_EQ(run("VERSION,1\nCLICKOPEN\nEXIT"), ScriptResult::Exited);
    EXPECT_EQ(host.commands, QStringList({"OpenFile", "OpenFile"}));
}

TEST_F(ScriptTest, ClickExitEndsTheProgramUnlessUnsavedDataKeepsItOpen)
{
    EXPECT_EQ(run("VERSION,1\nCLICKEXIT\nCHART,never,run"), ScriptResult::Exited);
    EXPECT_EQ(host.commands, QStringList({"Exit"}));

    // The save question was cancelled: the window stays and the script goes on.
    testDocument().setDataModified(true);
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
    EXPECT_EQ(run("VERSION,1\nINPUTFOLDER,1,出力フォルダ\nEXIT"), ScriptResult::Stopped);
    prompts().folders = {QStringLiteral("/srv/web")};
    EXPECT_EQ(run("VERSION,1\nINPUTFOLDER,9,出力フォルダ\nINPUT,1,%9%,x"), ScriptResult::Completed);
    EXPECT_EQ(inputPrompts(prompts()), QStringList({"/srv/web"}));
    EXPECT_EQ(prompts().log[0].kind, QStringLiteral("folder"));
    EXPECT_EQ(prompts().log[0].text, QStringLiteral("出力フォルダ"));
}

TEST_F(ScriptTest, LinesEndingInLfAloneAreReadToo)
{
    testsupport::writeCp932(tempPath("lf.sda"), "VERSION,1\nINPUT,1,a,x\nINPUT,2,b,y", false);
    EXPECT_EQ(basAutomation::RunScriptFile(tempPath("lf.sda"), host).result,
              ScriptResult::Completed);
    EXPECT_EQ(inputPrompts(prompts()), QStringList({"a", "b"}));
}

// A folder variable the script was not given must not turn into the root folder.
TEST_F(ScriptTest, AnEmptyOutputFolderStopsTheScriptBeforeWriting)
{
    testsupport::writeCp932(tempPath("race.lap"), kSmallRace);
    for (const char* line :
         {"LAPCOPY,%1%,copy", "XCSV,%1%", "XCSV, ", "CHART,%2%,web_", "HTML,,p"}) {
        prompts().log.clear();
        EXPECT_EQ(run(QStringLiteral("VERSION,1\nOPEN,race.lap\n") + line), ScriptResult::Stopped)
            << line;
        EXPECT_EQ(messages(), QStringList({"自動処理を中止します (line=3)"})) << line;
    }
    EXPECT_EQ(QDir(tempDir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList({"race.lap", "test.sda"}));
}
