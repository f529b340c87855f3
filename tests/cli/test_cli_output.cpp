// splitduel-cli output: the dialog's output run from the command line.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QDir>

namespace {

class CliOutput : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        out = tempPath(QStringLiteral("out"));
        QDir().mkpath(out);
    }
    CliRun output(const QStringList& options)
    {
        return runCli(
            QStringList{"output", testsupport::examplePath("spring-cup.lap"), out, "Cup"} +
            options);
    }
    QStringList written() const { return QDir(out).entryList(QDir::Files); }
    QString out;
};

TEST_F(CliOutput, CombinationsTheDialogWouldChangeAreUsageErrors)
{
    const QStringList bad[] = {{"--data-type", "3", "--file-type", "html"},
                               {"--file-type", "text", "--data-type", "0"},
                               {"--file-type", "csv", "--data-type", "4"},
                               {"--data-type", "8"},
                               {"--file-type", "csv", "--data-type", "7"},
                               {"--layout", "diagonal"},
                               {"--class"},
                               {"--class", "NOSUCH"}};
    for (const QStringList& options : bad) {
        const CliRun run = output(options);
        EXPECT_EQ(run.status, 64) << options.join(' ').toStdString();
    }
    EXPECT_TRUE(written().isEmpty());
}

TEST_F(CliOutput, WritesTheFilesOfTheChosenClassesAndPrintsThem)
{
    const CliRun sb = output({"--data-type", "3"});
    ASSERT_EQ(sb.status, 0) << sb.err.toStdString();
    EXPECT_EQ(sb.out, out + "/24_Cup.csv\n");

    const CliRun html = output({"--class", "M21A", "--class", "W20", "--no-index"});
    ASSERT_EQ(html.status, 0) << html.err.toStdString();
    EXPECT_EQ(html.out, out + "/24_cup_m21a.htm\n" + out + "/24_cup_w20.htm\n");

    const CliRun csv = output({"--file-type", "csv", "--one-file", "--layout", "rows"});
    ASSERT_EQ(csv.status, 0);
    const QString text = testsupport::readCp932(out + "/24_Cup.csv");
    EXPECT_TRUE(text.contains("◆ ラップタイム（上段）・積算タイム（下段）"));
    EXPECT_TRUE(text.contains("◆ ミスタイム"));

    const CliRun mail = output({"--file-type", "text", "--class", "M21A"});
    ASSERT_EQ(mail.status, 0);
    EXPECT_TRUE(testsupport::readCp932(out + "/24_Cup_M21A.txt").contains("■ミス率 (%)"));
}

// The viewer command writes the page the output run's viewer type writes for every class.
TEST_F(CliOutput, ViewerOfTheWholeRace)
{
    const QString race = testsupport::examplePath("spring-cup.lap");
    const CliRun viewer = runCli({"viewer", race, out + "/whole.html"});
    ASSERT_EQ(viewer.status, 0) << viewer.err.toStdString();
    const CliRun dataType = output({"--data-type", "7"});
    ASSERT_EQ(dataType.status, 0) << dataType.err.toStdString();
    EXPECT_EQ(dataType.out, out + "/24_cup_viewer.html\n");
    EXPECT_EQ(testsupport::readBytes(out + "/whole.html"),
              testsupport::readBytes(out + "/24_cup_viewer.html"));

    for (const QStringList& wrong :
         {QStringList{"viewer", race}, QStringList{"viewer", race, "a", "b"},
          QStringList{"viewer", race, "--class", "M21A"}})
        EXPECT_EQ(runCli(wrong).status, 64) << wrong.join(' ').toStdString();
    const CliRun unwritable = runCli({"viewer", race, out + "/no/such/v.html"});
    EXPECT_EQ(unwritable.status, 1);
    EXPECT_TRUE(unwritable.err.contains("ファイルを保存できませんでした"))
        << unwritable.err.toStdString();
}

TEST_F(CliOutput, UnwritableFolderEndsWithStatusOne)
{
    const CliRun run = runCli({"output", testsupport::examplePath("spring-cup.lap"),
                               tempPath("missing"), "Cup", "--data-type", "0"});
    EXPECT_EQ(run.status, 1);
    // The folder is named once, with the reason, not each file of it.
    EXPECT_EQ(run.err, "SplitDuel: 出力フォルダがありません: " + tempPath("missing") + "\n");
}

}  // namespace
