// splitduel-cli run as a program: exit statuses, messages and the files it writes.
#include "cli/clirun.h"
#include "common/testsupport.h"

namespace {

const QString kExample = testsupport::examplePath(QStringLiteral("spring-cup.lap"));

}  // namespace

class CliTest : public RaceTest {};

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

// A table without labels needs the label questions: answered with --answers, or a failure
// that names the question.
TEST_F(CliTest, AnswersForTheLabelQuestions)
{
    const QString table = tempPath(QStringLiteral("bare.csv"));
    testsupport::writeCp932(table, QStringLiteral("Aki,Oak,0:03:00,0:04:00,0:08:00\n"
                                                  "Ben,Elm,0:03:30,0:04:30,0:09:00\n"));
    struct Case {
        QStringList args;
        int status;
        const char* expected;  // in stdout for status 0, in stderr otherwise
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        CliRun run = runCli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args.join(' ').toStdString();
        const QString& text = c.status == 0 ? run.out : run.err;
        EXPECT_TRUE(text.contains(QString::fromUtf8(c.expected)))
            << c.args.join(' ').toStdString() << "\n"
            << text.toStdString();
    }
    CliRun converted = runCli({QStringLiteral("convert"), table, tempPath(QStringLiteral("o.lap")),
                               QStringLiteral("--answers"), QStringLiteral("名前,所属,総")});
    EXPECT_EQ(converted.status, 0);
    CliRun reread = runCli({QStringLiteral("info"), tempPath(QStringLiteral("o.lap"))});
    EXPECT_TRUE(reread.out.contains(QStringLiteral("Oak"))) << reread.out.toStdString();
}
