// Files that are refused or cannot be read leave the race in memory as it was, header included.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "race/race.h"

#include <QFile>

using namespace basDefinition;
using namespace lapfixtures;

namespace {

const QString kTableHeader = QStringLiteral("クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎\n");

QString runnerLines(int count)
{
    QString text;
    for (int i = 1; i <= count; ++i)
        text += QStringLiteral("M,走者%1,C,10:00:00,,00:10:00,00:01:00\n").arg(i);
    return text;
}

}  // namespace

TEST_F(LapFileTest, FailedLoadsKeepThePreviousRace)
{
    struct Case {
        const char* what;
        QString text;
        QString name;
        basConvert::LoadStatus result;
    };
    const Case cases[] = {
        {"empty file", QString(), QStringLiteral("empty.lap"), basConvert::LoadStatus::Failed},
        {"blank lines and commas only", QStringLiteral("\n  \n,,,\n , ,　\n"),
         QStringLiteral("blank.lap"), basConvert::LoadStatus::Failed},
        {"report output", lapHead() + QStringLiteral("$名称=x\nmade with splitduel ver 1.0\n"),
         QStringLiteral("report.lap"), basConvert::LoadStatus::Refused},
        {"version line not first", QStringLiteral("$名称=x\n") + lapHead(),
         QStringLiteral("late.lap"), basConvert::LoadStatus::Refused},
        {"other version", QStringLiteral("$LAPFILE Ver=3\n$名称=x\n"), QStringLiteral("v3.lap"),
         basConvert::LoadStatus::Refused},
        {"lap text under another extension", lapHead() + QStringLiteral("$名称=x\n"),
         QStringLiteral("race.txt"), basConvert::LoadStatus::Refused},
        {"a leg beyond the model",
         lapHead() + QStringLiteral("クラス,名前,△→１,%1→%2\nM,走者,00:01:00,00:01:00\n")
                         .arg(MaxLegs)
                         .arg(MaxLegs + 1),
         QStringLiteral("leg100.lap"), basConvert::LoadStatus::Failed},
        {"leg 0", lapHead() + QStringLiteral("クラス,名前,スタート→ゴール\nM,走者,00:01:00\n"),
         QStringLiteral("leg0.lap"), basConvert::LoadStatus::Failed},
        {"finish after the last leg of the model",
         lapHead() + QStringLiteral("クラス,名前,%1→%2,%2→◎\nM,走者,00:01:00,00:01:00\n")
                         .arg(MaxLegs - 1)
                         .arg(MaxLegs),
         QStringLiteral("finish100.lap"), basConvert::LoadStatus::Failed},
        {"control count beyond the legs of the model",
         lapHead() + QStringLiteral("$コントロール数:M=%1\n").arg(MaxLegs + 1),
         QStringLiteral("count100.lap"), basConvert::LoadStatus::Failed},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        testDocument().resetRace();
        loadPreviousRace();
        load(c.text, c.name);
        EXPECT_EQ(lastLoad.status, c.result);
        expectPreviousRace();
    }
}

TEST_F(LapFileTest, MissingFileClearsOnlyThePath)
{
    loadPreviousRace();
    lastLoad = basConvert::LoadRaceFile(testDocument(), tempPath(QStringLiteral("none.lap")));
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_EQ(testRace().RaceInfo.RaceName, QStringLiteral("前の大会"));
    EXPECT_EQ(testRace().ClassList.count(), 2);

    lastLoad = basConvert::LoadRaceFile(testDocument(), tempDir());  // a folder is no file
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
}

TEST_F(LapFileTest, LapFilesFarBeyondThreeThousandLinesLoad)
{
    load(lapHead() + kTableHeader + runnerLines(12000));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 12000);
}

TEST_F(LapFileTest, SuccessfulLoadReplacesTheWholeRace)
{
    loadPreviousRace();
    QString path = load(lapHead() + QStringLiteral("$場所=新しい森\n") + kTableHeader +
                        QStringLiteral("新M,新井,C,10:00:00,,00:10:00,00:01:00\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testDocument().CurrentFilePath(), path);
    // Header fields the new file does not name are empty, not left from the old race.
    EXPECT_TRUE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_FALSE(testRace().RaceInfo.hasDate());
    EXPECT_EQ(testRace().RaceInfo.RacePlace, QStringLiteral("新しい森"));
    EXPECT_EQ(testRace().ClassList.names(), QStringList{QStringLiteral("新M")});
}

// A file over 64 MB is refused before a byte is read, with a reason the caller can show; the
// next load that fails for another reason says only that it failed.
TEST_F(LapFileTest, FilesOverTheSizeLimitAreRefusedAtOnceWithTheirReason)
{
    loadPreviousRace();
    const QString path = tempPath(QStringLiteral("huge.lap"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_TRUE(file.resize(basConvert::MaxRaceFileBytes + 1));  // sparse: no disk, no time
    file.close();
    const basConvert::LoadResult huge = basConvert::LoadRaceFile(testDocument(), path);
    EXPECT_EQ(huge.status, basConvert::LoadStatus::Failed);
    expectPreviousRace();
    EXPECT_EQ(
        huge.failureMessage(),
        QStringLiteral(
            "ファイルを読み込めませんでした\nファイルが大きすぎます (64MB まで読み込めます)"));

    load(QStringLiteral(" \n"), QStringLiteral("small.lap"));
    EXPECT_EQ(lastLoad.failureMessage(), QStringLiteral("ファイルを読み込めませんでした"));
    basConvert::LoadResult refused;
    refused.status = basConvert::LoadStatus::Refused;
    refused.reason = huge.reason;  // a refusal names no reason
    EXPECT_EQ(refused.failureMessage(), QStringLiteral("この形式のファイルは読み込めません"));
}

// A line longer than any chunk the reader takes at a time is split where its line end is.
TEST_F(LapFileTest, ALineRunningAcrossManyChunksIsReadWhole)
{
    const QString name = QString(300000, QLatin1Char('x'));
    load(lapHead() + kTableHeader + QStringLiteral("M,") + name +
         QStringLiteral(
             ",C,10:00:00,,00:10:00,00:01:00\r\nM,二人目,C,10:00:00,,00:11:00,00:01:00\r\n"));
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    ASSERT_EQ(testRace().ClassList.at(1).ClassRunnerCount(), 2);
    EXPECT_EQ(testRace().ClassList.at(1).Item(1).Namae, name);
}
