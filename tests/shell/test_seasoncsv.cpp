// XCSV: the loaded race appended to the season file "Analysis.csv".
#include "scripttest.h"

#include <QDir>

using basAutomation::ScriptResult;

namespace {
const char* const kRace =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Season Cup\n$日時=2002/05/12\n$場所=\n$備考=\n"
    "$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=1\n"
    "$距離:W21=3000\n$登距離:W21=100\n$コントロール数:W21=1\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "M21,Runner One,Club A,10:00:00,00:20:00,00:08:00,00:12:00\n"
    "M21,Runner Two,Club B,10:01:00,00:21:00,00:09:00,00:12:00\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "W21,Runner Three,Club C,10:02:00,00:25:00,00:10:00,00:15:00\n";
}  // namespace

TEST_F(ScriptTest, XcsvAppendsEveryRunnerOfTheLoadedRaceToTheSeasonFile)
{
    ASSERT_TRUE(QDir(tempDir()).mkdir("season"));
    testsupport::writeCp932(tempPath("race.lap"), kRace);
    ASSERT_EQ(run("VERSION,1\nOPEN,race.lap\nXCSV,season\nXCSV,season\\"), ScriptResult::Completed);
    const QStringList lines =
        testsupport::readCp932(tempPath("season/Analysis.csv")).split("\r\n", Qt::SkipEmptyParts);
    // The second run of the same race replaces the lines of the first.
    ASSERT_EQ(lines.size(), 1 + 3);
    EXPECT_TRUE(lines[0].startsWith("氏名,所属,大会日程,大会名称,クラス,タイム,順位,参加数"));
    EXPECT_TRUE(
        lines[1].startsWith("ＲｕｎｎｅｒＯｎｅ,Club A,02/05/12,Season Cup,M21,0:20:00,1,2,"))
        << lines[1].toStdString();
    EXPECT_TRUE(lines[3].contains(",W21,")) << lines[3].toStdString();
}

TEST_F(ScriptTest, XcsvIntoAFolderThatCannotBeWrittenStops)
{
    testsupport::writeCp932(tempPath("race.lap"), kRace);
    EXPECT_EQ(run("VERSION,1\nOPEN,race.lap\nXCSV,no/such/folder\nEXIT"), ScriptResult::Stopped);
    EXPECT_EQ(messages(),
              QStringList({"ファイルを保存できませんでした: " +
                               tempPath("no/such/folder/Analysis.csv") + " (フォルダがありません)",
                           "自動処理を中止します (line=3)"}));
    EXPECT_EQ(run("VERSION,1\nXCSV"), ScriptResult::Stopped);  // no folder at all
}
