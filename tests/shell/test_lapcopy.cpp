// LAPCOPY: the loaded file copied under the race's year and a name, never onto itself.
#include "scripttest.h"

#include "race/race.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

using basAutomation::ScriptResult;

namespace {
const char* const kLap =
    "$LAPFILE Ver=2\n$LAPFILE Rev=2\n$名称=Copy Cup\n$日時=2002/05/12\n$場所=\n$備考=\n"
    "$距離:M21=4500\n$登距離:M21=180\n$コントロール数:M21=1\n\n"
    "クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n"
    "M21,Runner One,Club A,10:00:00,00:20:00,00:08:00,00:12:00\n";
}  // namespace

class LapCopyTest : public ScriptTest {
protected:
    void SetUp() override
    {
        ScriptTest::SetUp();
        ASSERT_TRUE(QDir(tempDir()).mkdir("web"));
        testsupport::writeCp932(tempPath("live.lap"), kLap);
    }
};

TEST_F(LapCopyTest, CopiesTheOpenedFileUnderTheYearOfTheRace)
{
    ASSERT_EQ(run("VERSION,1\nOPEN,live.lap\nLAPCOPY,web,%eventname%\nLAPCOPY,web\\,plain"),
              ScriptResult::Completed);
    EXPECT_EQ(testsupport::readBytes(tempPath("web/02_Copy Cup.lap")),
              testsupport::readBytes(tempPath("live.lap")));
    EXPECT_TRUE(QFile::exists(tempPath("web/02_plain.lap")));
}

TEST_F(LapCopyTest, ARaceWithoutDateHasNoYearInFront)
{
    testDocument().setCurrentFilePath(tempPath("live.lap"));
    ASSERT_EQ(run("VERSION,1\nLAPCOPY," + tempPath("web") + ",nodate"), ScriptResult::Completed);
    EXPECT_TRUE(QFile::exists(tempPath("web/nodate.lap")));
}

TEST_F(LapCopyTest, ReplacesAnEarlierCopy)
{
    testDocument().setCurrentFilePath(tempPath("live.lap"));
    testsupport::writeCp932(tempPath("web/again.lap"), "old");
    ASSERT_EQ(run("VERSION,1\nLAPCOPY,web,again"), ScriptResult::Completed);
    EXPECT_EQ(testsupport::readBytes(tempPath("web/again.lap")),
              testsupport::readBytes(tempPath("live.lap")));
}

TEST_F(LapCopyTest, OntoTheLoadedFileItselfDoesNothing)
{
    testsupport::writeCp932(tempPath("02_live.lap"), kLap);
    const QByteArray before = testsupport::readBytes(tempPath("02_live.lap"));
    // The same file by another path: through "./", and through a link in another folder.
    ASSERT_TRUE(QFile::link(tempPath("02_live.lap"), tempPath("web/02_linked.lap")));
    ASSERT_EQ(
        run("VERSION,1\nOPEN,02_live.lap\nLAPCOPY," + tempDir() + "/./,live\nLAPCOPY,web,linked"),
        ScriptResult::Completed);
    EXPECT_EQ(testDocument().CurrentFilePath(), tempPath("02_live.lap"));
    EXPECT_EQ(testsupport::readBytes(tempPath("02_live.lap")), before);
    EXPECT_TRUE(QFileInfo(tempPath("web/02_linked.lap")).isSymLink());
}

TEST_F(LapCopyTest, ANameDifferentOnlyInLetterCaseIsAnotherFile)
{
    testsupport::writeCp932(tempPath("02_live.lap"), kLap);
    ASSERT_EQ(run("VERSION,1\nOPEN,02_live.lap\nLAPCOPY,.,LIVE"), ScriptResult::Completed);
    EXPECT_EQ(testsupport::readBytes(tempPath("02_LIVE.lap")),
              testsupport::readBytes(tempPath("02_live.lap")));
}

TEST_F(LapCopyTest, StopsWithoutALoadedFileOrATargetFolder)
{
    EXPECT_EQ(run("VERSION,1\nLAPCOPY,web,name"), ScriptResult::Stopped);
    testDocument().setCurrentFilePath(tempPath("live.lap"));
    EXPECT_EQ(run("VERSION,1\n\nLAPCOPY,no-such-folder,name"), ScriptResult::Stopped);
    EXPECT_EQ(messages(),
              QStringList({"コピーするファイルがありません (ファイルが読み込まれていません)",
                           "自動処理を中止します (line=2)",
                           "ファイルを保存できませんでした: " +
                               tempPath("no-such-folder/name.lap") + " (フォルダがありません)",
                           "自動処理を中止します (line=3)"}));
}
