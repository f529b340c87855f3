// The fixed-column "SPORTident results" text: class lines, split columns, the wrap line and the
// invented results in tests/data/sportident_results.txt.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "lapfiles/sportident.h"
#include "race/race.h"

using namespace basDefinition;
using namespace lapfixtures;

TEST(SportidentLayout, ClassLines)
{
    struct Case {
        const char* line;
        const char* name;
        int starters, length, climb, controls;
    };
    const Case cases[] = {
        {"H21A  (25)     6.500 km  240 m   18 C", "H21A", 25, 6500, 240, 18},
        {"Green (3)  11.925 km  610 m  19 C   ", "Green", 3, 11925, 610, 19},
        // A missing length or climb leaves its place empty; the fields after it stay put.
        {"D10 (4)   95 m   7 C", "D10", 4, 0, 95, 7},
        {"D12 (4)  2.100 km   8 C", "D12", 4, 2100, 0, 8},
        {"Open", "Open", 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        auto parsed = basConvert::ParseSportidentClassLine(QString::fromUtf8(c.line));
        EXPECT_EQ(parsed.name, QString::fromUtf8(c.name)) << c.line;
        EXPECT_EQ(parsed.starters, c.starters) << c.line;
        EXPECT_EQ(parsed.length, c.length) << c.line;
        EXPECT_EQ(parsed.climb, c.climb) << c.line;
        EXPECT_EQ(parsed.controls, c.controls) << c.line;
    }
}

TEST(SportidentLayout, SplitColumnsAndWrap)
{
    const QString numbering = QStringLiteral("        1(101)   2(102)   3(103)");
    EXPECT_EQ(basConvert::SplitColumnWidth(numbering), 9);
    // One control: measured to the finish heading instead of losing every split.
    EXPECT_EQ(basConvert::SplitColumnWidth(QStringLiteral("        1(31)    F")), 9);
    EXPECT_EQ(basConvert::SplitColumnWidth(QStringLiteral("     F")), 0);

    EXPECT_EQ(basConvert::WrapSplit(QStringLiteral("   "), numbering), 31);
    EXPECT_EQ(basConvert::WrapSplit(QStringLiteral("       15(84)  16(85)   F"), numbering), 15);
    // Only the finish wraps: the split after the last control's index, not its code.
    EXPECT_EQ(basConvert::WrapSplit(QStringLiteral("             F"), numbering), 4);
}

namespace {

const clsClassDataSub* findRunner(const clsClassData& cls, const QString& name)
{
    for (int i = 1; i <= cls.ClassRunnerCount(); ++i)
        if (cls.Item(i).Namae == name) return &cls.Item(i);
    return nullptr;
}

}  // namespace

TEST_F(LapFileTest, SportidentResultsLoad)
{
    RecordingProgress progress;
    lastLoad = basConvert::LoadRaceFile(
        testDocument(), QStringLiteral(SPLITDUEL_TEST_DATA "/sportident_results.txt"), &progress);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_EQ(testRace().RaceInfo.RaceName,
              QStringLiteral("Invented Cup 2026 Forest Park      Sun 03/05/2026 12:00")
                  .left(64)
                  .trimmed());
    ASSERT_EQ(testRace().ClassList.names(), (QStringList{"H21A", "D21", "K"}));

    const clsClassData& h21 = testRace().ClassList[QStringLiteral("H21A")];
    EXPECT_EQ(h21.ClassLength, 6500);
    EXPECT_EQ(h21.ClassUpHeight, 240);
    EXPECT_EQ(h21.ClassControlCount, 3);
    EXPECT_TRUE(h21.ClassLastGoalExist);
    ASSERT_EQ(h21.ClassRunnerCount(), 3);
    const clsClassDataSub* aki = findRunner(h21, QStringLiteral("Aki Mori"));
    ASSERT_TRUE(aki);
    EXPECT_EQ(aki->Shozoku, QStringLiteral("Oak Runners"));
    EXPECT_NEAR(aki->Total, hms(0, 25, 30), 1e-9);
    EXPECT_NEAR(aki->Lap(2), hms(0, 7, 0), 1e-9);
    EXPECT_NEAR(aki->Lap(4), hms(0, 5, 30), 1e-9);
    const clsClassDataSub* ben = findRunner(h21, QStringLiteral("Ben Kawa"));
    ASSERT_TRUE(ben);
    EXPECT_EQ(ben->Shozoku, QStringLiteral("Pine Club"));  // import code removed
    EXPECT_EQ(ben->Lap(2), LapMissing);
    // A full-width club counts two bytes a character: the splits after it are still found.
    const clsClassDataSub* cid = findRunner(h21, QStringLiteral("Cid Yama"));
    ASSERT_TRUE(cid);
    EXPECT_EQ(cid->Shozoku, QStringLiteral("山の会"));
    EXPECT_NEAR(cid->Lap(2), hms(0, 5, 0), 1e-9);
    EXPECT_GT(cid->Total, 1.0);  // no finish time: an incomplete run

    // Four-line entries: legs 4 and the finish come from the continuation line.
    const clsClassData& d21 = testRace().ClassList[QStringLiteral("D21")];
    ASSERT_EQ(d21.ClassRunnerCount(), 2);
    const clsClassDataSub& eve = *findRunner(d21, QStringLiteral("Eve Ito"));
    EXPECT_NEAR(eve.Lap(3), hms(0, 9, 0), 1e-9);
    EXPECT_NEAR(eve.Lap(4), hms(0, 9, 0), 1e-9);
    EXPECT_NEAR(eve.Lap(5), hms(0, 8, 0), 1e-9);

    const clsClassData& k = testRace().ClassList[QStringLiteral("K")];
    ASSERT_EQ(k.ClassRunnerCount(), 1);
    EXPECT_NEAR(k.Item(1).Lap(1), hms(0, 4, 0), 1e-9);
    EXPECT_NEAR(k.Item(1).Lap(2), hms(0, 5, 30), 1e-9);

    EXPECT_EQ(progress.begins, 1);
    EXPECT_EQ(progress.ends, 1);
    ASSERT_FALSE(progress.texts.isEmpty());
    EXPECT_TRUE(progress.texts.first().endsWith(QStringLiteral("%  - H21A (1/3)")))
        << progress.texts.first().toStdString();
}

TEST_F(LapFileTest, SportidentWithoutColumnHeaderFailsKeepingTheRace)
{
    loadPreviousRace();
    load(QStringLiteral("Cup\nCup Park\nSPORTident results\n\n\nno header here\nH21 (1) 1 C\n"),
         QStringLiteral("si.txt"));
    EXPECT_EQ(lastLoad.status, basConvert::LoadStatus::Failed);
    expectPreviousRace();
}
