// The files of splitduel-cli's outputs: one name rule for every kind, names kept unique, pipes
// and links that lead away never written, failures with their reasons.
#include "cli/clirun.h"
#include "common/testsupport.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

namespace {

// Classes whose cleaned names meet ("A/B", "a_b"), a class named like the index page, and a
// class with a character no file name takes.
const char* const kRace =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Cup\n$日時=2024/05/12\n$場所=\n$備考=\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "A/B,Runner One,Club A,10:00:00,00:20:00,00:08:00,00:12:00\n"
    "a_b,Runner Two,Club B,10:01:00,00:21:00,00:09:00,00:12:00\n"
    "Index,Runner Three,Club C,10:02:00,00:22:00,00:10:00,00:12:00\n"
    "W:21,Runner Four,Club D,10:03:00,00:23:00,00:11:00,00:12:00\n";

class CliOutputNames : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        testsupport::writeCp932(race, kRace);
        ASSERT_TRUE(QDir().mkpath(out));
    }
    CliRun output(const QStringList& more = {})
    {
        return runCli(QStringList{"output", race, out, "Cup", "--data-type", "0"} + more);
    }
    const QString race = tempPath("race.lap");
    const QString out = tempPath("out");
};

TEST_F(CliOutputNames, PagesAndImagesShareOneUniqueNamePerClass)
{
    const QString renamed = "SplitDuel: ファイル名が他のクラスと重なるため、次のクラスのファイル名を"
                            "変えました: a_b → a_b_2, Index → Index_2\n";
    const CliRun pages = output();
    const CliRun charts = runCli({"chart", race, out, "Cup", "--type", "race"});
    ASSERT_EQ(pages.status + charts.status, 0) << pages.err.toStdString();
    EXPECT_EQ(pages.err + charts.err, renamed + renamed);
    EXPECT_EQ(QDir(out).entryList(QDir::Files, QDir::Name),
              QStringList({"24_cup_a_b.htm", "24_cup_a_b_1.png", "24_cup_a_b_2.htm",
                           "24_cup_a_b_2_1.png", "24_cup_index.htm", "24_cup_index_2.htm",
                           "24_cup_index_2_1.png", "24_cup_w_21.htm", "24_cup_w_21_1.png"}));
    const QString index = testsupport::readCp932(out + "/24_cup_index.htm");
    EXPECT_TRUE(index.contains("\"24_cup_a_b_2.htm\"") && index.contains("\"24_cup_index_2.htm\""));
}

// A pipe nobody reads under a file's name, or a link to a file outside the folder, is reported
// with its reason; the run does not wait and writes every other file.
TEST_F(CliOutputNames, PipesAndLinksOutOfTheFolderAreReportedAndPassedOver)
{
    ASSERT_EQ(::mkfifo(QFile::encodeName(out + "/24_cup_a_b.htm").constData(), 0600), 0);
    testsupport::writeCp932(tempPath("victim.htm"), "keep");
    ASSERT_TRUE(QFile::link(tempPath("victim.htm"), out + "/24_cup_w_21.htm"));
    const CliRun run = output({"--no-index"});
    ASSERT_EQ(run.status, 1) << "the run ended by itself: " << run.err.toStdString();
    EXPECT_TRUE(run.err.contains("ファイルを出力できません - A/B\n" + out +
                                 "/24_cup_a_b.htm (通常のファイルではありません (パイプなど))"));
    EXPECT_TRUE(run.err.contains("ファイルを出力できません - W:21\n" + out +
                                 "/24_cup_w_21.htm (フォルダの外を指すリンクです)"));
    EXPECT_EQ(testsupport::readBytes(tempPath("victim.htm")), QByteArray("keep"));
    EXPECT_EQ(run.out, out + "/24_cup_a_b_2.htm\n" + out + "/24_cup_index_2.htm\n");
}

TEST_F(CliOutputNames, FailuresNameTheFileAndTheReason)
{
    ASSERT_TRUE(QDir().mkpath(out + "/page.html"));
    const QString cannot = "ファイルを保存できませんでした: ";
    const CliRun toFolder = runCli({"viewer", race, out + "/page.html"});
    EXPECT_TRUE(toFolder.err.endsWith(cannot + out + "/page.html (同じ名前のフォルダがあります)\n"));
    const CliRun toFullDisk = runCli({"convert", race, "/dev/full"});
    EXPECT_EQ(toFullDisk.err, cannot + "/dev/full (空き容量がありません)\n");
    EXPECT_EQ(toFolder.status + toFullDisk.status, 2);
}

}  // namespace
