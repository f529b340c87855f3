// The generic table reader: column-header analysis, lap texts and the runner-line rules.
#include "lapfixtures.h"

#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"

using namespace basConvert;
using namespace lapfixtures;

namespace {

clsClassData classWithLegs(int controls, bool finish)
{
    clsClassData cls;
    cls.ClassControlCount = controls;
    cls.ClassLastGoalExist = finish;
    return cls;
}

QStringList fields(const char* line)
{
    return QString::fromUtf8(line).split(QLatin1Char(','));
}

}  // namespace

TEST(AnalyzeHeaderLine, FindsEveryColumnAndTheLegLabels)
{
    TableColumns columns;
    ASSERT_TRUE(AnalyzeHeaderLine(
        columns, QStringLiteral("クラス,名前,所属,スタート時刻,総タイム,△→１,１→２,２→◎")));
    EXPECT_EQ(columns.classColumn, 1);
    EXPECT_EQ(columns.nameColumn, 2);
    EXPECT_EQ(columns.affiliationColumn, 3);
    EXPECT_EQ(columns.startColumn, 4);
    EXPECT_EQ(columns.totalColumn, 5);
    EXPECT_EQ(columns.LapColumns[1], 6);
    EXPECT_EQ(columns.LapColumns[2], 7);
    EXPECT_EQ(columns.LapColumns[3], 8);
    EXPECT_EQ(columns.highestLeg, 3);
    EXPECT_TRUE(columns.finishLeg);

    // A second header starts from nothing: columns it does not name are absent.
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,メモ,S→1,1→2,9→10,10→11")));
    EXPECT_EQ(columns.classColumn, 0);
    EXPECT_EQ(columns.nameColumn, 1);
    EXPECT_EQ(columns.totalColumn, 0);
    EXPECT_EQ(columns.LapColumns[1], 3);
    EXPECT_EQ(columns.LapColumns[3], 0);
    EXPECT_EQ(columns.LapColumns[10], 5);
    EXPECT_EQ(columns.LapColumns[11], 6);
    EXPECT_EQ(columns.highestLeg, 11);
    EXPECT_FALSE(columns.finishLeg);
}

TEST(AnalyzeHeaderLine, WordsIgnoreLetterCaseButNotSpaces)
{
    TableColumns columns;
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral(" 名前,名前 ,ｸﾗｽ,△→１")));
    EXPECT_EQ(columns.nameColumn, 0);
    EXPECT_EQ(columns.classColumn, 0);
    EXPECT_EQ(columns.LapColumns[1], 4);
}

TEST(AnalyzeHeaderLine, TwoControlCourseWithAndWithoutFinish)
{
    TableColumns columns;
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,△→１,１→２,２→◎")));
    EXPECT_EQ(columns.highestLeg - (columns.finishLeg ? 1 : 0), 2);
    EXPECT_TRUE(columns.finishLeg);
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,△→１,１→２")));
    EXPECT_EQ(columns.highestLeg, 2);
    EXPECT_FALSE(columns.finishLeg);
    // Full-width digits from 10 on are read as well as the half-width ones the writer uses.
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,９→１０,１０→◎")));
    EXPECT_EQ(columns.LapColumns[10], 2);
    EXPECT_EQ(columns.LapColumns[11], 3);
}

TEST(AnalyzeHeaderLine, LegsOutsideTheModelAreRefused)
{
    TableColumns columns;
    auto leg = [](int from, int to) { return QStringLiteral("%1→%2").arg(from).arg(to); };
    EXPECT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,29→30,30→31,") + leg(98, 99)));
    EXPECT_EQ(columns.LapColumns[MaxLegs], 4);
    EXPECT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,") + leg(97, 98) + ",98→◎"));
    EXPECT_FALSE(AnalyzeHeaderLine(columns, QStringLiteral("名前,") + leg(99, 100)));
    EXPECT_FALSE(AnalyzeHeaderLine(columns, QStringLiteral("名前,") + leg(98, 99) + ",99→◎"));
    EXPECT_FALSE(AnalyzeHeaderLine(columns, QStringLiteral("名前,△→0")));
    EXPECT_FALSE(AnalyzeHeaderLine(columns, QStringLiteral("名前,→")));
}

TEST(ReadLapText, SentinelsAndTimes)
{
    for (const char* merged : {"→", "-", "↓", "↓→", "→-"})
        EXPECT_EQ(ReadLapText(QString::fromUtf8(merged)), LapMerged) << merged;
    for (const char* missing : {"n/a", "N/A", "*", "0", "ｎ／ａ", "NOERROR", "x"})
        EXPECT_EQ(ReadLapText(QString::fromUtf8(missing)), LapMissing) << missing;
    for (const char* absent : {"", " ", "　"})
        EXPECT_EQ(ReadLapText(QString::fromUtf8(absent)), LapAbsent) << absent;

    bool readable = false;
    EXPECT_DOUBLE_EQ(ReadLapText(QStringLiteral("00:12:34"), &readable), hms(0, 12, 34));
    EXPECT_TRUE(readable);
    EXPECT_DOUBLE_EQ(ReadLapText(QStringLiteral("12:34")), hms(0, 12, 34));
    EXPECT_DOUBLE_EQ(ReadLapText(QStringLiteral("1234")), hms(0, 12, 34));
    EXPECT_DOUBLE_EQ(ReadLapText(QStringLiteral("?05:07")), hms(0, 5, 7));
    EXPECT_EQ(ReadLapText(QStringLiteral("速い"), &readable), LapMissing);
    EXPECT_FALSE(readable);
}

TEST(ReadRunnerLine, KeptWithANameAndAReadableLegOrTotal)
{
    TableColumns columns;
    ASSERT_TRUE(AnalyzeHeaderLine(
        columns, QStringLiteral("クラス,名前,所属,スタート時刻,総タイム,△→１,１→◎")));
    const clsClassData cls = classWithLegs(1, true);
    clsClassDataSub r;

    ASSERT_TRUE(ReadRunnerLine(fields("M,山田,朝霧,10:02:00,,00:10:00,n/a"), cls, columns, r));
    EXPECT_EQ(r.Namae, QStringLiteral("山田"));
    EXPECT_EQ(r.Shozoku, QStringLiteral("朝霧"));
    EXPECT_DOUBLE_EQ(r.StartTime, hms(10, 2, 0));
    EXPECT_DOUBLE_EQ(r.Total, 0);
    EXPECT_DOUBLE_EQ(r.Lap(2), LapMissing);

    EXPECT_TRUE(ReadRunnerLine(fields("M,山田,朝霧,,00:30:00,n/a,n/a"), cls, columns, r));
    EXPECT_DOUBLE_EQ(r.Total, hms(0, 30, 0));
    EXPECT_DOUBLE_EQ(r.StartTime, 0);
    EXPECT_FALSE(ReadRunnerLine(fields("M,山田,朝霧,10:00:00,0,n/a,→"), cls, columns, r));
    // A leg of no time at all is stored, and saved, as "n/a": it keeps nobody, for such a runner
    // would be saved and then lost on the next load.
    EXPECT_FALSE(ReadRunnerLine(fields("M,山田,朝霧,10:00:00,0,00:00:00,"), cls, columns, r));
    EXPECT_FALSE(
        ReadRunnerLine(fields("M, ,朝霧,10:00:00,00:30:00,00:10:00,00:20:00"), cls, columns, r));
    EXPECT_FALSE(ReadRunnerLine(fields("M"), cls, columns, r));  // short line: no name
    // Unreadable total and start count 0; the legs still keep the runner.
    ASSERT_TRUE(ReadRunnerLine(fields("M,山田,,朝,?,00:10:00,00:01:00"), cls, columns, r));
    EXPECT_DOUBLE_EQ(r.Total, 0);
    EXPECT_DOUBLE_EQ(r.StartTime, 0);
}

TEST(ReadRunnerLine, ReadsOnlyTheLegsOfTheClass)
{
    TableColumns columns;
    ASSERT_TRUE(AnalyzeHeaderLine(columns, QStringLiteral("名前,△→１,１→２,２→３")));
    clsClassDataSub r;
    ASSERT_TRUE(ReadRunnerLine(fields("走者,00:01:00,00:02:00,00:03:00"), classWithLegs(2, false),
                               columns, r));
    EXPECT_DOUBLE_EQ(r.Lap(2), hms(0, 2, 0));
    EXPECT_DOUBLE_EQ(r.Lap(3), 0);  // beyond the class's legs: never read
}

TEST(ProgressText, PercentRightAlignedInThreeColumns)
{
    EXPECT_EQ(ProgressText(11, 25), QStringLiteral(" 44%"));
    EXPECT_EQ(ProgressText(3000, 3000), QStringLiteral("100%"));
    EXPECT_EQ(ProgressText(51, 1000), QStringLiteral("  5%"));
}
