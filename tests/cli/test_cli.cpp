// splitduel-cli run as a program: exit statuses, messages and the files it writes.
#include "cli/clirun.h"
#include "common/testsupport.h"
#include "lapfiles/racefile.h"
#include "race/race.h"
#include "race/racetime.h"

#include <QRegularExpression>

namespace {

const QString kExample = testsupport::examplePath(QStringLiteral("spring-cup.lap"));

}  // namespace

class CliTest : public RaceTest {};

namespace {

// A command line, its exit status and a text its output holds: in stdout for status 0, in
// stderr otherwise.
struct CommandCase {
    QStringList args;
    int status;
    const char* expected;
};

template <size_t N>
void expectCommands(const CommandCase (&cases)[N])
{
    for (const CommandCase& c : cases) {
        CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        const QString& text = c.status == 0 ? run.out : run.err;
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected)))
            << c.args.join(' ').toStdString() << "\n"
            << text.toStdString();
    }
}

}  // namespace

TEST_F(CliTest, InfoListsHeaderClassesAndRankedRunners)
{
    CliRun run = runCli({QStringLiteral("info"), kExample});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    EXPECT_TRUE(run.out.contains(QStringLiteral("名称: 第15回 春風カップ")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("日時: 2024/04/21")));
    EXPECT_TRUE(run.out.contains(
        QStringLiteral("クラス: M21A  コントロール数: 14  フィニッシュ区間: あり  選手数: 18")));
    EXPECT_TRUE(run.out.contains(QStringLiteral("フィニッシュ区間: なし  選手数: 0")));
    // Ranked: the first runner of the class has the smallest total, shown by FormatLapTime.
    int first = run.out.indexOf(QStringLiteral("   1  岡本 修"));
    ASSERT_GE(first, 0);
    EXPECT_TRUE(run.out.mid(first, run.out.indexOf(QLatin1Char('\n'), first) - first)
                    .endsWith(QStringLiteral("1:05:10")));
}

// Control characters of the race's texts never reach the terminal: each is shown as a space.
TEST_F(CliTest, InfoShowsControlCharactersAsSpaces)
{
    const QString lap = tempPath(QStringLiteral("control.lap"));
    testsupport::writeCp932(lap,
                            QStringLiteral("$LAPFILE Ver=2\n$名称=A\x1b]0;x\x07"
                                           "B\n\nクラス,名前,所属,"
                                           "総タイム,△→◎\nM\x1b[2J,\x1b[31m赤\tい,C\x7f,,1:00\n"));
    CliRun run = runCli({QStringLiteral("info"), lap});
    EXPECT_TRUE(run.out.contains(QStringLiteral("名称: A ]0;x B\n")) &&
                run.out.contains(" [31m赤 い"));
    for (QChar c : run.out)
        EXPECT_TRUE(c == QLatin1Char('\n') || c.category() != QChar::Other_Control) << c.unicode();
}

TEST_F(CliTest, ConvertWritesEachLayout)
{
    CliRun lap =
        runCli({QStringLiteral("convert"), kExample, tempPath(QStringLiteral("copy.lap"))});
    ASSERT_EQ(lap.status, 0) << lap.err.toStdString();
    EXPECT_EQ(testsupport::readBytes(tempPath(QStringLiteral("copy.lap"))),
              testsupport::readBytes(kExample));

    CliRun rows = runCli({QStringLiteral("convert"), kExample, tempPath(QStringLiteral("rows.csv")),
                          QStringLiteral("--layout"), QStringLiteral("csv-rows")});
    ASSERT_EQ(rows.status, 0);
    EXPECT_TRUE(testsupport::readCp932(tempPath(QStringLiteral("rows.csv")))
                    .startsWith(QStringLiteral("クラス,名前,所属,△→１")));
    CliRun columns = runCli({QStringLiteral("convert"), QStringLiteral("--layout=csv-columns"),
                             kExample, tempPath(QStringLiteral("columns.csv"))});
    ASSERT_EQ(columns.status, 0);
    EXPECT_TRUE(testsupport::readCp932(tempPath(QStringLiteral("columns.csv")))
                    .startsWith(QStringLiteral("クラス,M21A,M21A")));

    // IOF XML in UTF-8, which reads back to the same lap file.
    const QString xml = tempPath(QStringLiteral("race.xml"));
    CliRun iof = runCli({QStringLiteral("convert"), kExample, xml, QStringLiteral("--layout"),
                         QStringLiteral("iof-xml")});
    ASSERT_EQ(iof.status, 0) << iof.err.toStdString();
    const QString written = QString::fromUtf8(testsupport::readBytes(xml));
    EXPECT_TRUE(written.startsWith(QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>")));
    EXPECT_TRUE(
        written.contains(QStringLiteral("<Name>第15回 春風カップ オリエンテーリング大会</Name>")));
    CliRun back = runCli({QStringLiteral("convert"), xml, tempPath(QStringLiteral("back.lap"))});
    ASSERT_EQ(back.status, 0) << back.err.toStdString();
    CliRun original = runCli({QStringLiteral("info"), kExample});
    CliRun again = runCli({QStringLiteral("info"), tempPath(QStringLiteral("back.lap"))});
    // The runners keep their ranks, names, clubs and totals (the place and remarks are not part
    // of a result list).
    auto runnerLines = [](const QString& text) {
        QStringList lines = text.split(QLatin1Char('\n'));
        lines.removeIf([](const QString& line) { return !line.startsWith(QStringLiteral("   ")); });
        return lines;
    };
    EXPECT_GT(runnerLines(original.out).size(), 10);
    EXPECT_EQ(runnerLines(again.out), runnerLines(original.out));
}

TEST_F(CliTest, ExitStatusesAndMessages)
{
    CliRun missing = runCli({QStringLiteral("info"), tempPath(QStringLiteral("none.lap"))});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("ファイルを読み込めませんでした")));

    QString report = tempPath(QStringLiteral("report.lap"));
    testsupport::writeCp932(report, QStringLiteral("$LAPFILE Ver=2\nMade with SplitDuel\n"));
    CliRun refused = runCli({QStringLiteral("convert"), report, tempPath(QStringLiteral("x.lap"))});
    EXPECT_EQ(refused.status, 2);
    EXPECT_TRUE(refused.err.contains(QStringLiteral("この形式のファイルは読み込めません")));

    CliRun unsaved = runCli({QStringLiteral("convert"), kExample, tempDir()});
    EXPECT_EQ(unsaved.status, 1);
    EXPECT_TRUE(unsaved.err.contains(QStringLiteral("ファイルを保存できませんでした")));

    for (const QStringList& wrong :
         {QStringList{}, QStringList{QStringLiteral("frobnicate")},
          QStringList{QStringLiteral("info")}, QStringList{QStringLiteral("convert"), kExample},
          QStringList{QStringLiteral("convert"), kExample, QStringLiteral("o"),
                      QStringLiteral("--layout"), QStringLiteral("xls")}}) {
        CliRun run = runCli(wrong);
        EXPECT_EQ(run.status, 64) << wrong.join(QLatin1Char(' ')).toStdString();
        EXPECT_FALSE(run.err.isEmpty());
    }
}

TEST_F(CliTest, HelpListsTheCommands)
{
    CliRun help = runCli({QStringLiteral("--help")});
    EXPECT_EQ(help.status, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("info FILE")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("convert IN OUT")));
    CliRun commandHelp = runCli({QStringLiteral("convert"), QStringLiteral("--help")});
    EXPECT_EQ(commandHelp.status, 0);
    EXPECT_TRUE(commandHelp.out.contains(QStringLiteral("csv-columns")));
}

// Both information options answer without a race, and every command the tool lists is
// described in its manual page, so the page cannot fall behind the program.
TEST_F(CliTest, VersionAndHelpMatchTheManualPage)
{
    CliRun version = runCli({QStringLiteral("--version")});
    EXPECT_EQ(version.status, 0);
    EXPECT_EQ(version.out, QStringLiteral("SplitDuel 1.00\n"));

    CliRun help = runCli({QStringLiteral("--help")});
    ASSERT_EQ(help.status, 0);
    const QString manual =
        QString::fromUtf8(testsupport::readBytes(QStringLiteral(SPLITDUEL_CLI_MANUAL)));
    ASSERT_FALSE(manual.isEmpty());
    int commands = 0;
    const QRegularExpression commandLine(QStringLiteral("^  ([a-z]+) "));
    for (const QString& line : help.out.split(QLatin1Char('\n'))) {
        const QRegularExpressionMatch match = commandLine.match(line);
        if (!match.hasMatch()) continue;
        ++commands;
        EXPECT_TRUE(manual.contains(QStringLiteral(".BI ") + match.captured(1) + QLatin1Char(' ')))
            << "not in the manual page: " << match.captured(1).toStdString();
    }
    EXPECT_GE(commands, 4);
}

// A table without labels needs the label questions: answered with --answers, or a failure
// that names the question.
TEST_F(CliTest, AnswersForTheLabelQuestions)
{
    const QString table = tempPath(QStringLiteral("bare.csv"));
    testsupport::writeCp932(table, QStringLiteral("Aki,Oak,0:03:00,0:04:00,0:08:00\n"
                                                  "Ben,Elm,0:03:30,0:04:30,0:09:00\n"));
    const CommandCase cases[] = {
        {{QStringLiteral("info"), table, QStringLiteral("--answers"),
          QStringLiteral("名前,所属,総")},
         0,
         "Ben"},
        {{QStringLiteral("analyse"), QStringLiteral("--answers=名前,所属,ラ"), table}, 0, "Aki"},
        {{QStringLiteral("info"), table}, 1, "このデータ項目の分類は何ですか？ (Aki)"},
        {{QStringLiteral("info"), table, QStringLiteral("--answers"), QStringLiteral("名前,所属")},
         1,
         "ラップデータが検出されました"},
        {{QStringLiteral("convert"), table, tempPath(QStringLiteral("o.lap")),
          QStringLiteral("--answers")},
         64,
         "使い方"},
    };
    expectCommands(cases);
    CliRun converted = runCli({QStringLiteral("convert"), table, tempPath(QStringLiteral("o.lap")),
                               QStringLiteral("--answers"), QStringLiteral("名前,所属,総")});
    EXPECT_EQ(converted.status, 0);
    CliRun reread = runCli({QStringLiteral("info"), tempPath(QStringLiteral("o.lap"))});
    EXPECT_TRUE(reread.out.contains(QStringLiteral("Oak"))) << reread.out.toStdString();
}

// --race chooses the race of a result list of several; a race it does not hold fails.
TEST_F(CliTest, RaceOptionChoosesTheRaceOfAResultList)
{
    const QString races = testsupport::dataPath(QStringLiteral("iofxml/tworaces.xml"));
    const CommandCase cases[] = {
        {{QStringLiteral("info"), races}, 0, "Two Days Day 1"},
        {{QStringLiteral("info"), races, QStringLiteral("--race"), QStringLiteral("2")},
         0,
         "Mia Lund"},
        {{QStringLiteral("analyse"), QStringLiteral("--race=2"), races}, 0, "Day 2"},
        {{QStringLiteral("info"), races, QStringLiteral("--race=3")}, 1, "レース 3"},
        {{QStringLiteral("info"), races, QStringLiteral("--race"), QStringLiteral("0")},
         64,
         "使い方"},
    };
    expectCommands(cases);
}

TEST_F(CliTest, StartListSetsStartTimesAndSavesALapFile)
{
    const QString list = tempPath(QStringLiteral("start.csv"));
    // As entry systems export it: every field quoted, a comma inside one.
    testsupport::writeCp932(list, QStringLiteral("\"クラス\",\"氏名\",\"スタート時刻\"\n"
                                                 "\"X, Y\",\"岡本　修\",\"1005\"\n"));
    const QString out = tempPath(QStringLiteral("started.lap"));
    CliRun run = runCli({QStringLiteral("startlist"), kExample, list, out});
    ASSERT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("1人のスタート時刻を設定しました\n"));
    ASSERT_TRUE(basConvert::LoadRaceFile(testDocument(), out).loaded());
    int found = 0;
    for (const auto& c : testRace().ClassList) {
        for (const auto& r : c->RunnersAsAdded()) {
            if (r.Namae != QStringLiteral("岡本 修")) continue;
            ++found;
            EXPECT_EQ(CbasGeneral::RoundToSeconds(r.StartTime), 10 * 3600 + 5 * 60);
        }
    }
    EXPECT_EQ(found, 1);

    testsupport::writeCp932(list, QStringLiteral("name,start\n岡本 修,1005\n"));
    CliRun header = runCli({QStringLiteral("startlist"), kExample, list, out});
    EXPECT_EQ(header.status, 1);
    EXPECT_TRUE(header.err.contains(QStringLiteral("１行目に「名前,スタート時刻」")));
    EXPECT_EQ(runCli({QStringLiteral("startlist"), kExample}).status, 64);
}

// Whatever the loader leaves out of a file is named on standard error; the classes it keeps
// are there and the run succeeds.
TEST_F(CliTest, ClassesTheLoaderLeavesOutAreNamed)
{
    // A SplitsBrowser file whose first class has more controls than any class can hold.
    const QString file = tempPath(QStringLiteral("splits.csv"));
    testsupport::writeCp932(file, QStringLiteral("Long,1000\nAnna,Berg,,10:00,2:10,0:40\n\n"
                                                 "M21,1\nEva,Lund,,10:00,3:00,0:40\n"));
    const QString lap = tempPath(QStringLiteral("kept.lap"));
    for (const QStringList& args :
         {QStringList{QStringLiteral("info"), file}, QStringList{QStringLiteral("analyse"), file},
          QStringList{QStringLiteral("convert"), file, lap}}) {
        const CliRun run = runCli(args);
        EXPECT_EQ(run.status, 0) << args.first().toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("Long"))) << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("M21")));
    }
    const CliRun kept = runCli({QStringLiteral("info"), lap});
    EXPECT_TRUE(kept.out.contains(QStringLiteral("クラス: M21 ")));
    EXPECT_FALSE(kept.out.contains(QStringLiteral("Long")));
    EXPECT_TRUE(kept.err.isEmpty());
}

// A text that is no race at all (a web page, a system file) is a refused kind of file, not a
// table to ask label questions about.
TEST_F(CliTest, TextsThatAreNoRaceAreRefused)
{
    const struct {
        const char* name;
        const char* text;
    } files[] = {
        {"page.html",
         "<!DOCTYPE html>\n<html lang=\"ja\">\n<head>\n<title>Cup</title>\n</head>\n<body>\n"
         "<p>2024/04/21</p>\n</body>\n</html>\n"},
        {"passwd", "root:x:0:0:root:/root:/bin/bash\ndaemon:x:1:1:daemon:/usr/sbin:/bin/sh\n"},
    };
    for (const auto& f : files) {
        const QString path = tempPath(QString::fromUtf8(f.name));
        testsupport::writeCp932(path, QString::fromUtf8(f.text));
        const CliRun run = runCli({QStringLiteral("info"), path});
        EXPECT_EQ(run.status, 2) << f.name;
        EXPECT_TRUE(run.err.contains(QStringLiteral("この形式のファイルは読み込めません")))
            << run.err.toStdString();
        EXPECT_FALSE(run.err.contains(QStringLiteral("質問"))) << run.err.toStdString();
    }
}
