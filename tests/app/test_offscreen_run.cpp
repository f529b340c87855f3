// The desktop program started with -platform offscreen on a script: it must never wait for
// anyone, and its exit status tells whether the script ran through.
#include "offscreenrun.h"

#include "race/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QProcess>
#include <QProcessEnvironment>

#include <sys/stat.h>

namespace {

int countLines(const QString& text, const QString& start)
{
    int n = 0;
    for (const QString& line : text.split("\r\n", Qt::SkipEmptyParts)) {
        n += line.startsWith(start) ? 1 : 0;
    }
    return n;
}

TEST_F(OffscreenRunTest, RunsKeepTheirSettingsBesideTheProgramTheyRan)
{
    const QString built =
        QFileInfo(QStringLiteral(SPLITDUEL_EXE)).absolutePath() + "/SplitDuel.ini";
    const QByteArray before = QFile::exists(built) ? testsupport::readBytes(built) : QByteArray();
    const QString out = tempPath("web");
    ASSERT_TRUE(QDir().mkpath(out));
    const QString lap = testsupport::examplePath("spring-cup.lap");
    ProgramRun ran =
        runProgram(script("html.sda", "VERSION,1\nOPEN," + lap + "\nHTML," + out + ",web\nEXIT\n"));
    ASSERT_EQ(ran.status, 0) << ran.errors.toStdString();
    EXPECT_TRUE(QFile::exists(tempPath("program/SplitDuel.ini")));
    EXPECT_EQ(QFile::exists(built) ? testsupport::readBytes(built) : QByteArray(), before);
}

TEST_F(OffscreenRunTest, ExampleScriptCopiesTheRaceAndKeepsOneSeasonLinePerRunner)
{
    const QString out = tempPath("out");
    ASSERT_TRUE(QDir().mkpath(out));
    const QString example = testsupport::examplePath("copy-and-season.sda");

    ProgramRun first = runProgram(example, {out});
    ASSERT_EQ(first.status, 0) << first.errors.toStdString();
    const QString copy = out + "/24_第15回 春風カップ オリエンテーリング大会.lap";
    ASSERT_TRUE(QFile::exists(copy));
    EXPECT_EQ(testsupport::readBytes(copy),
              testsupport::readBytes(testsupport::examplePath("spring-cup.lap")));
    const QString season = testsupport::readCp932(out + "/Analysis.csv");
    EXPECT_TRUE(season.startsWith("氏名,所属,大会日程,大会名称,クラス,"));
    EXPECT_TRUE(season.endsWith("\r\n"));
    const int runners = countLines(season, "") - 1;
    EXPECT_GT(runners, 2);

    ProgramRun second = runProgram(example, {out});
    ASSERT_EQ(second.status, 0) << second.errors.toStdString();
    const QString grown = testsupport::readCp932(out + "/Analysis.csv");
    // The same race again replaces its lines: one header and the runners once.
    EXPECT_EQ(countLines(grown, "氏名,"), 1);
    EXPECT_EQ(grown, season);
}

TEST_F(OffscreenRunTest, LapFileIsReadAndTheStartUpIsRecorded)
{
    EXPECT_EQ(runProgram(testsupport::examplePath("spring-cup.lap")).status, 0);
    const QString registry = testsupport::readCp932(tempPath("config/Brackwater/SplitDuel.conf"));
    EXPECT_TRUE(registry.contains("1.00")) << registry.toStdString();
    EXPECT_TRUE(registry.contains("Application Path"));
    EXPECT_EQ(runProgram(tempPath("missing.lap")).status, 1);
    // Nothing on the command line: start-up only.
    EXPECT_EQ(runProgram(QString()).status, 0);
}

TEST_F(OffscreenRunTest, StoppedScriptEndsWithStatusOneAndItsMessage)
{
    ProgramRun run = runProgram(script("stop.sda", "VERSION,1\nOPEN,missing.lap\nEXIT\n"));
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(run.errors.contains("ファイルを読み込めませんでした")) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains("自動処理を中止します (line=2)")) << run.errors.toStdString();
}

TEST_F(OffscreenRunTest, ChartsThatCannotBeWrittenAreReportedAndFailTheScript)
{
    const QString lap = testsupport::examplePath("spring-cup.lap");
    const QString charts = "VERSION,1\nOPEN," + lap + "\nCHART1,%1%,web\n";
    ASSERT_TRUE(QDir().mkpath(tempPath("out")));
    ProgramRun good = runProgram(script("good.sda", charts), {tempPath("out")});
    EXPECT_EQ(good.status, 0) << good.errors.toStdString();
    const int images = QDir(tempPath("out")).entryList({"*.png"}, QDir::Files).size();
    EXPECT_GT(images, 0);

    // Into a missing folder: every image is reported, the script still runs to its last line
    // (the copy after the charts is made), and the status says something went wrong.
    ProgramRun bad = runProgram(script("bad.sda", charts + "LAPCOPY,%2%,after\n"),
                                {tempPath("missing"), tempPath("out")});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.errors.count("画像を保存できませんでした"), images) << bad.errors.toStdString();
    EXPECT_EQ(QDir(tempPath("out")).entryList({"*after.lap"}, QDir::Files).size(), 1);
    // EXIT after such a failure ends with the same status.
    EXPECT_EQ(runProgram(script("exit.sda", charts + "EXIT\n"), {tempPath("missing")}).status, 1);
}

TEST_F(OffscreenRunTest, ScriptsThatEndOrCannotRun)
{
    // Running to the last line counts as success, as EXIT does.
    EXPECT_EQ(runProgram(script("end.sda", "VERSION,1\nREM nothing to do\n")).status, 0);
    // Questions are cancelled offscreen: the folder browser stops the script.
    EXPECT_EQ(runProgram(script("ask.sda", "VERSION,1\nINPUTFOLDER,1,出力フォルダ\n")).status, 1);
    // A file that is no script is not run, which is a failure for whoever started it.
    EXPECT_EQ(runProgram(script("bad.sda", "\nVERSION,1\nEXIT\n")).status, 1);
}

// Whatever keeps a script from running, cron hears why on stderr; what other editors save runs.
TEST_F(OffscreenRunTest, ScriptsThatCannotRunSayWhyAndEditorsSavesRun)
{
    const QString bom = tempPath("bom.sda"), cr = script("cr.sda", "VERSION,1\rREM 出力\rEXIT\r");
    QFile file(bom);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("\xEF\xBB\xBF" + QStringLiteral("VERSION,1\r\nREM 出力\r\nEXIT\r\n").toUtf8());
    file.close();
    const QString v2 = script("v2.sda", "VERSION,2\n"), typo = script("typo.sda", "VERSION,1\nHTLM,/");
    const QString cannot = "SplitDuel: スクリプトを実行できません: ";
    const std::pair<QString, QString> cases[] = {
        {bom, ""},
        {cr, ""},
        {tempPath("none.sda"), cannot + tempPath("none.sda") + " (ファイルがありません)\n"},
        {v2, cannot + v2 + " (1行目が VERSION,1 ではありません)\n"},
        {typo, "SplitDuel: 不明なコマンドです: 「HTLM」\nSplitDuel: 自動処理を中止します (line=2)\n"},
    };
    for (const auto& [path, errors] : cases) {
        const ProgramRun run = runProgram(path);
        EXPECT_EQ(run.status, errors.isEmpty() ? 0 : 1) << path.toStdString();
        EXPECT_EQ(run.errors, errors);
    }
}

// A live-results script: result pages, leg pages and chart images of every class in one run.
TEST_F(OffscreenRunTest, ScriptPublishesPagesLegPagesAndCharts)
{
    const QString out = tempPath("web");
    ASSERT_TRUE(QDir().mkpath(out));
    const QString text = "VERSION,1\nOPEN," + testsupport::examplePath("spring-cup.lap") +
                         "\nHTML,%1%,live\nLEG,%1%,live\nCHART,%1%,live\nEXIT\n";
    ProgramRun run = runProgram(script("live.sda", text), {out});
    ASSERT_EQ(run.status, 0) << run.errors.toStdString();
    // Nothing but the program's own messages, of which a good run has none: cron mails every
    // line on stderr.
    EXPECT_TRUE(run.errors.isEmpty()) << run.errors.toStdString();
    const QStringList files = QDir(out).entryList(QDir::Files);
    for (const char* name : {"24_live_m21a.htm", "24_live_leg_m21a.htm", "24_live_index.htm",
                             "24_live_m21a_1.png", "24_live_m21a_2.png"})
        EXPECT_TRUE(files.contains(name)) << name << " in " << files.join(' ').toStdString();
    const QString index = testsupport::readCp932(out + "/24_live_index.htm");
    // The index is written by LEG, before the charts exist: it links both kinds of page.
    EXPECT_TRUE(index.contains("24_live_leg_m21a.htm"));
    EXPECT_TRUE(index.contains("\"24_live_m21a.htm"));
}

// The command-line tool writes the images of the script command CHART byte for byte, and
// prints nothing but the paths.
TEST_F(OffscreenRunTest, ChartCommandOfTheToolWritesTheImagesOfTheScript)
{
    const QString lap = testsupport::examplePath("spring-cup.lap");
    ASSERT_TRUE(QDir().mkpath(tempPath("script")));
    ASSERT_TRUE(QDir().mkpath(tempPath("tool")));
    const ProgramRun byScript =
        runProgram(script("charts.sda", "VERSION,1\nOPEN," + lap + "\nCHART,%1%,Live\n"),
                   {tempPath("script")});
    ASSERT_EQ(byScript.status, 0) << byScript.errors.toStdString();
    const ProgramRun byTool =
        run(QStringLiteral(SPLITDUEL_CLI), {"chart", lap, tempPath("tool"), "Live"});
    ASSERT_EQ(byTool.status, 0) << byTool.errors.toStdString();
    EXPECT_TRUE(byTool.errors.isEmpty()) << byTool.errors.toStdString();

    const QStringList images = QDir(tempPath("script")).entryList(QDir::Files, QDir::Name);
    EXPECT_GE(images.size(), 8);
    ASSERT_EQ(QDir(tempPath("tool")).entryList(QDir::Files, QDir::Name), images);
    for (const QString& image : images) {
        EXPECT_EQ(testsupport::readBytes(tempPath("tool/" + image)),
                  testsupport::readBytes(tempPath("script/" + image)))
            << image.toStdString();
    }
}

// The command-line tool is as quiet as the program: its PDF printing says nothing.
TEST_F(OffscreenRunTest, ToolPrintsNothingButItsOwnMessages)
{
    const ProgramRun printed =
        run(QStringLiteral(SPLITDUEL_CLI),
            {"print", testsupport::examplePath("spring-cup.lap"), tempPath("sheets.pdf")});
    EXPECT_EQ(printed.status, 0);
    EXPECT_TRUE(printed.errors.isEmpty()) << printed.errors.toStdString();
}

// The identity and time of each file of a folder (hidden ones and the season file left out):
// a file written again, even with the same bytes, gets a new identity or time.
QMap<QString, QString> fileStamps(const QString& folder)
{
    QMap<QString, QString> stamps;
    for (const QString& name : QDir(folder).entryList(QDir::Files)) {
        if (name == "Analysis.csv") continue;
        struct stat status {};
        ::stat(QFile::encodeName(folder + "/" + name).constData(), &status);
        stamps.insert(name, QStringLiteral("%1 %2.%3")
                                .arg(status.st_ino)
                                .arg(status.st_mtim.tv_sec)
                                .arg(status.st_mtim.tv_nsec));
    }
    return stamps;
}

// The live cycle a cron job runs, again and again into one folder while the lap file changes:
// each run rewrites only the files that depend on the change, leaves the rest exactly as they
// were, still writes the season file, and leaves the folder as a run into an empty folder does.
TEST_F(OffscreenRunTest, LiveCycleRewritesOnlyWhatTheChangeReaches)
{
    const QString lap = tempPath("live.lap");
    ASSERT_TRUE(QFile::copy(testsupport::examplePath("spring-cup.lap"), lap));
    const QString cycle = script("cycle.sda", "VERSION,1\nOPEN," + lap +
                                                  "\nHTML,%1%,live\nLEG,%1%,live\nCHART,%1%,live"
                                                  "\nLAPCOPY,%1%,live\nXCSV,%2%\nEXIT\n");
    const QString live = tempPath("live"), season = tempPath("season");
    for (const QString& folder : {live, season}) ASSERT_TRUE(QDir().mkpath(folder));
    ASSERT_EQ(runProgram(cycle, {live, season}).status, 0);
    const QStringList classPages{"24_live_m21a.htm", "24_live_w21a.htm", "24_live_m40.htm",
                                 "24_live_w20.htm", "24_live_初心者.htm"};
    const struct {
        const char* change;
        QString from, to;
        QStringList rewritten;
    } rows[] = {
        // The first run wrote the index before the charts existed: now it links them.
        {"nothing", "", "", {"24_live_index.htm"}},
        {"nothing again", "", "", {}},
        // Not the winner: the index shows the same.
        {"a leg of one runner",
         "中川 慎吾,川辺OK,10:18:00,01:09:42,00:05:45",
         "中川 慎吾,川辺OK,10:18:00,01:09:42,00:05:55",
         {"24_live.lap", "24_live_leg_m21a.htm", "24_live_m21a.htm", "24_live_m21a_1.png",
          "24_live_m21a_2.png"}},
        // Leg pages and charts do not show the race name.
        {"the race name", "$名称=第15回 春風カップ オリエンテーリング大会",
         "$名称=第15回 春風カップ", classPages + QStringList{"24_live.lap", "24_live_index.htm"}},
    };
    int n = 0;
    for (const auto& row : rows) {
        const QString text = testsupport::readCp932(lap);
        ASSERT_TRUE(text.contains(row.from)) << row.change;
        testsupport::writeCp932(lap, QString(text).replace(row.from, row.to), false);
        const auto before = fileStamps(live);
        const ProgramRun run = runProgram(cycle, {live, season});
        ASSERT_EQ(run.status, 0) << run.errors.toStdString();
        QStringList rewritten;
        const auto after = fileStamps(live);
        for (auto it = after.cbegin(); it != after.cend(); ++it)
            if (before.value(it.key()) != it.value()) rewritten << it.key();
        QStringList expected = row.rewritten;
        expected.sort();
        EXPECT_EQ(rewritten.join(' ').toStdString(), expected.join(' ').toStdString())
            << row.change;

        const QString fresh = tempPath(QStringLiteral("fresh%1").arg(++n));
        const QString freshSeason = fresh + "-season";
        for (const QString& folder : {fresh, freshSeason}) ASSERT_TRUE(QDir().mkpath(folder));
        // Twice, so that the index links the charts; the season file of the second run only.
        ASSERT_EQ(runProgram(cycle, {fresh, tempDir()}).status, 0);
        ASSERT_EQ(runProgram(cycle, {fresh, freshSeason}).status, 0);
        EXPECT_EQ(differentFiles(live, fresh, {"Analysis.csv", ".splitduel-keys"}), QStringList())
            << row.change;
        // The season file got this run's lines, whatever it holds of earlier runs.
        const QStringList all = testsupport::readCp932(season + "/Analysis.csv").split("\r\n");
        const QStringList lines =
            testsupport::readCp932(freshSeason + "/Analysis.csv").split("\r\n");
        EXPECT_EQ(all.mid(all.size() - lines.size() + 1), lines.mid(1)) << row.change;
    }
}

}  // namespace

// Answered before the toolkit starts, so they need no display and no platform option.
TEST_F(OffscreenRunTest, VersionAndHelpNeedNoDisplay)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove("QT_QPA_PLATFORM");
    env.remove("DISPLAY");
    env.remove("WAYLAND_DISPLAY");
    process.setProcessEnvironment(env);
    process.start(QStringLiteral(SPLITDUEL_EXE), {"--version"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_EQ(process.readAllStandardOutput(), QByteArray("SplitDuel 1.00\n"));

    process.start(QStringLiteral(SPLITDUEL_EXE), {"--help"});
    ASSERT_TRUE(process.waitForFinished(30000));
    EXPECT_EQ(process.exitCode(), 0);
    EXPECT_TRUE(QString::fromUtf8(process.readAllStandardOutput()).contains("SplitDuel --version"));
}
