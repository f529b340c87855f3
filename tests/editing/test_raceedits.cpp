// The edits of the race by hand: each marks the race changed, a refused one changes nothing,
// and the reload keeps the header.
#include "common/testsupport.h"
#include "editing/raceedits.h"
#include "lapfiles/racefile.h"

#include <QFile>

#include <functional>

using namespace basDefinition;
using namespace basRaceEdit;

namespace {

basLapEdit::LapColumn Column(const QString& name, const QStringList& legs)
{
    basLapEdit::LapColumn column;
    column.name = name;
    column.legs = legs;
    return column;
}

}  // namespace

TEST_F(RaceTest, EveryEditMarksTheRaceChangedAndARefusedOneChangesNothing)
{
    testRace().RaceInfo.RaceName = QStringLiteral("大会");
    AddClass(testDocument(), QStringLiteral("M21"), 3);
    AddClass(testDocument(), QStringLiteral("W21"), 2);
    const basLapEdit::LapRows rows(1);
    const struct {
        const char* what;
        std::function<bool()> edit;  // false: the edit was refused
        bool done;
        QStringList classesAfter;
    } cases[] = {
        {"add",
         [] { return AddClass(testDocument(), QStringLiteral("M35"), 4) != nullptr; },
         true,
         {"M21", "W21", "M35"}},
        {"add taken",
         [] { return AddClass(testDocument(), QStringLiteral("m21"), 4) != nullptr; },
         false,
         {"M21", "W21", "M35"}},
        {"rename",
         [] { return RenameClass(testDocument(), QStringLiteral("M21"), QStringLiteral("M20")); },
         true,
         {"W21", "M35", "M20"}},
        {"rename onto another",
         [] { return RenameClass(testDocument(), QStringLiteral("M20"), QStringLiteral("w21")); },
         false,
         {"W21", "M35", "M20"}},
        {"set data",
         [] {
             return SetClassData(testDocument(), QStringLiteral("M35"), ClassField::Length, 4200);
         },
         true,
         {"W21", "M35", "M20"}},
        {"set data of none",
         [] { return SetClassData(testDocument(), QStringLiteral("X"), ClassField::Length, 1); },
         false,
         {"W21", "M35", "M20"}},
        {"runners",
         [&] {
             return SetRunners(testDocument(), QStringLiteral("W21"), rows,
                               {Column(QStringLiteral("A"), {"0:05:00", "0:01:00"})});
         },
         true,
         {"W21", "M35", "M20"}},
        {"runners of none",
         [&] { return SetRunners(testDocument(), QStringLiteral("X"), rows, {}); },
         false,
         {"W21", "M35", "M20"}},
        {"same header",
         [] {
             SetHeader(testDocument(), testRace().RaceInfo);
             return false;
         },
         false,
         {"W21", "M35", "M20"}},
        {"header",
         [] {
             RaceHeader header = testRace().RaceInfo;
             header.RaceDate = QDate(2005, 4, 3);
             SetHeader(testDocument(), header);
             return true;
         },
         true,
         {"W21", "M35", "M20"}},
        {"delete",
         [] { return DeleteClass(testDocument(), QStringLiteral("m35")); },
         true,
         {"W21", "M20"}},
        {"delete none",
         [] { return DeleteClass(testDocument(), QStringLiteral("M35")); },
         false,
         {"W21", "M20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testDocument().setDataModified(false);
        EXPECT_EQ(c.edit(), c.done);
        EXPECT_EQ(testDocument().DataModified(), c.done);
        EXPECT_EQ(testRace().ClassList.names(), c.classesAfter);
    }
    EXPECT_EQ(testRace().ClassList[QStringLiteral("M20")].ClassControlCount, 3);
    EXPECT_TRUE(testRace().ClassList[QStringLiteral("M20")].ClassLastGoalExist);
    EXPECT_EQ(testRace().ClassList[QStringLiteral("W21")].ClassRunnerCount(), 1);
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2005, 4, 3));

    // Start times mark the race changed even when no name matched.
    testDocument().setDataModified(false);
    EXPECT_EQ(SetStartTimes(testDocument(), {{QStringLiteral("B"), 0.4}}), 0);
    EXPECT_TRUE(testDocument().DataModified());

    testDocument().setCurrentFilePath(QStringLiteral("/somewhere/race.lap"));
    ClearRace(testDocument());
    EXPECT_TRUE(testRace().ClassList.isEmpty());
    EXPECT_TRUE(testRace().RaceInfo.RaceName.isEmpty());
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(RaceTest, ReloadReadsTheFileAgainAndKeepsTheHeader)
{
    testRace().RaceInfo.RaceName = QStringLiteral("大会");
    AddClass(testDocument(), QStringLiteral("M21"), 1);
    const QString file = tempPath(QStringLiteral("race.lap"));
    ASSERT_EQ(basConvert::SaveRaceFile(testDocument(), file, basConvert::SaveType::Lap),
              basConvert::SaveResult::Saved);
    testDocument().setCurrentFilePath(file);

    testRace().RaceInfo.RaceName = QStringLiteral("改名");
    testRace().RaceInfo.RaceDate = QDate(2005, 4, 3);
    AddClass(testDocument(), QStringLiteral("X"), 2);
    testDocument().setDataModified(true);
    ASSERT_TRUE(ReloadKeepingHeader(testDocument()));
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"M21"}));
    EXPECT_EQ(testRace().RaceInfo.RaceName, "改名");
    EXPECT_EQ(testRace().RaceInfo.RaceDate, QDate(2005, 4, 3));
    EXPECT_TRUE(testDocument().DataModified()) << "the header edits are still to be saved";

    // The file gone: the race in memory and its path stay, and the message says why.
    AddClass(testDocument(), QStringLiteral("Y"), 2);
    ASSERT_TRUE(QFile::remove(file));
    QString failure;
    EXPECT_FALSE(ReloadKeepingHeader(testDocument(), &failure));
    EXPECT_EQ(failure, QStringLiteral("ファイルを読み込めませんでした"));
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"M21", "Y"}));
    EXPECT_EQ(testDocument().CurrentFilePath(), file);

    // A race that never had a file has nothing to read.
    testDocument().setCurrentFilePath(QString());
    EXPECT_TRUE(ReloadKeepingHeader(testDocument()));
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"M21", "Y"}));
}
