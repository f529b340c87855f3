// The five recent-file slots.
#include "common/testsupport.h"

#include "config/settings.h"
#include "race/race.h"
#include "shell/history.h"

namespace {

class HistoryTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        basSettings::ResetSettings(tempDir());
    }
    void TearDown() override { basSettings::ResetSettings(QString()); }

    // Opens the file as the open button does: the race name and path, then UpdateHistory.
    static void use(const QString& name, const QString& path)
    {
        testRace().RaceInfo.RaceName = name;
        testDocument().setCurrentFilePath(path);
        basHistory::UpdateHistory(testDocument());
    }

    static QStringList paths()
    {
        QStringList list;
        for (int slot = 1; slot <= basHistory::HistorySlots; ++slot) {
            list << basHistory::ReadHistorySlot(slot).path;
        }
        return list;
    }
};

TEST_F(HistoryTest, NewestFirstAndTheOldestDropsOut)
{
    for (int i = 1; i <= 6; ++i) use(QString("Race %1").arg(i), QString("/r/%1.lap").arg(i));
    EXPECT_EQ(paths(), QStringList({"/r/6.lap", "/r/5.lap", "/r/4.lap", "/r/3.lap", "/r/2.lap"}));
    EXPECT_EQ(basSettings::SettingsFile().Item("History1"), QStringLiteral("Race 6,/r/6.lap"));
    EXPECT_TRUE(basSettings::SettingsFile().Item("History6").isEmpty());
}

TEST_F(HistoryTest, ReopenedFileMovesToTheTopWithoutDuplicate)
{
    for (int i = 1; i <= 4; ++i) use(QString("Race %1").arg(i), QString("/r/%1.lap").arg(i));
    use("Race 2 again", "/r/2.lap");  // slot 3
    EXPECT_EQ(paths(), QStringList({"/r/2.lap", "/r/4.lap", "/r/3.lap", "/r/1.lap", ""}));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).name, QStringLiteral("Race 2 again"));
    // The comparison is exact: another letter case is another file.
    use("Upper", "/r/2.LAP");
    EXPECT_EQ(paths(), QStringList({"/r/2.LAP", "/r/2.lap", "/r/4.lap", "/r/3.lap", "/r/1.lap"}));
}

TEST_F(HistoryTest, EmptyPathLeavesTheListAsItWas)
{
    use("A", "/r/a.lap");
    use("B", "/r/b.lap");
    use("Never saved", "");
    EXPECT_EQ(paths(), QStringList({"/r/b.lap", "/r/a.lap", "", "", ""}));
}

TEST_F(HistoryTest, CommasInNamesAndPathsSurviveTheRoundTrip)
{
    use("Cup, day 2", "/r/with,comma.lap");
    const basHistory::HistorySlot slot = basHistory::ReadHistorySlot(1);
    EXPECT_EQ(slot.path, QStringLiteral("/r/with,comma.lap"));
    EXPECT_EQ(slot.name, QStringLiteral("Cup， day 2"));
}

TEST_F(HistoryTest, SlotsReachTheSettingsFile)
{
    use("A", "/r/a.lap");
    use("B", "/r/b.lap");
    // A race name without a CP932 form comes back whole, not as "?".
    use("Göteborg ✓", "/r/g.lap");
    basSettings::ResetSettings(tempDir());  // saves and forgets the store
    EXPECT_EQ(paths(), QStringList({"/r/g.lap", "/r/b.lap", "/r/a.lap", "", ""}));
    EXPECT_EQ(basHistory::ReadHistorySlot(1).name, QStringLiteral("Göteborg ✓"));
}

}  // namespace
