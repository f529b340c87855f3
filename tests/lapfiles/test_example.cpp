// The example race shipped with the program loads completely and saves back unchanged.
#include "lapfixtures.h"

#include "lapfiles/racefile.h"
#include "race/race.h"

using namespace basDefinition;

TEST_F(LapFileTest, ExampleRaceLoadsAndSavesBackUnchanged)
{
    const QString path = testsupport::examplePath(QStringLiteral("spring-cup.lap"));
    lastLoad = basConvert::LoadRaceFile(testDocument(), path);
    ASSERT_EQ(lastLoad.status, basConvert::LoadStatus::Loaded);
    EXPECT_FALSE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_TRUE(testRace().RaceInfo.hasDate());
    ASSERT_GE(testRace().ClassList.count(), 4);

    bool missing = false, merged = false, incomplete = false;
    for (int c = 1; c < testRace().ClassList.count(); ++c) {
        const clsClassData& cls = testRace().ClassList.at(c);
        SCOPED_TRACE(cls.ClassName.toStdString());
        EXPECT_TRUE(cls.ClassLastGoalExist);
        EXPECT_GE(cls.ClassControlCount, 8);
        EXPECT_GE(cls.ClassRunnerCount(), 10);
        for (int i = 1; i <= cls.ClassRunnerCount(); ++i) {
            const clsClassDataSub& r = cls.Item(i);
            incomplete = incomplete || r.Total > 1;
            for (int k = 1; k <= cls.LegCount(); ++k) {
                missing = missing || (r.Lap(k) == LapMissing && r.Total < 1);
                merged = merged || IsLapMerged(r.Lap(k));
            }
        }
    }
    EXPECT_TRUE(missing);
    EXPECT_TRUE(merged);
    EXPECT_TRUE(incomplete);
    // The last class is named only in the "$" lines.
    const clsClassData& last = testRace().ClassList.at(testRace().ClassList.count());
    EXPECT_EQ(last.ClassRunnerCount(), 0);
    EXPECT_GT(last.ClassControlCount, 0);

    ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), tempPath(QStringLiteral("copy.lap")),
                                       basConvert::SaveType::Lap),
              basConvert::SaveResult::Saved);
    EXPECT_EQ(testsupport::readBytes(tempPath(QStringLiteral("copy.lap"))),
              testsupport::readBytes(path));
}
