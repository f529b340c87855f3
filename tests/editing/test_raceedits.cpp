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
    RaceInfo.RaceName = QStringLiteral("大会");
    AddClass(QStringLiteral("M21"), 3);
    AddClass(QStringLiteral("W21"), 2);
    const basLapEdit::LapRows rows(1);
    const struct {
        const char* what;
        std::function<bool()> edit;  // false: the edit was refused
        bool done;
        QStringList classesAfter;
    } cases[] = {
        {"add",
         [] { return AddClass(QStringLiteral("M35"), 4) != nullptr; },
         true,
         {"M21", "W21", "M35"}},
        {"add taken",
         [] { return AddClass(QStringLiteral("m21"), 4) != nullptr; },
         false,
         {"M21", "W21", "M35"}},
        {"rename",
         [] { return RenameClass(QStringLiteral("M21"), QStringLiteral("M20")); },
         true,
         {"W21", "M35", "M20"}},
        {"rename onto another",
         [] { return RenameClass(QStringLiteral("M20"), QStringLiteral("w21")); },
         false,
         {"W21", "M35", "M20"}},
        {"set data",
         [] { return SetClassData(QStringLiteral("M35"), ClassField::Length, 4200); },
         true,
         {"W21", "M35", "M20"}},
        {"set data of none",
         [] { return SetClassData(QStringLiteral("X"), ClassField::Length, 1); },
         false,
         {"W21", "M35", "M20"}},
        {"runners",
         [&] {
             return SetRunners(QStringLiteral("W21"), rows,
                               {Column(QStringLiteral("A"), {"0:05:00", "0:01:00"})});
         },
         true,
         {"W21", "M35", "M20"}},
        {"runners of none",
         [&] { return SetRunners(QStringLiteral("X"), rows, {}); },
         false,
         {"W21", "M35", "M20"}},
        {"same header",
         [] {
             SetHeader(RaceInfo);
             return false;
         },
         false,
         {"W21", "M35", "M20"}},
        {"header",
         [] {
             RaceHeader header = RaceInfo;
             header.RaceDate = QDate(2005, 4, 3);
             SetHeader(header);
             return true;
         },
         true,
         {"W21", "M35", "M20"}},
        {"delete", [] { return DeleteClass(QStringLiteral("m35")); }, true, {"W21", "M20"}},
        {"delete none", [] { return DeleteClass(QStringLiteral("M35")); }, false, {"W21", "M20"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        testDocument().setDataModified(false);
        EXPECT_EQ(c.edit(), c.done);
        EXPECT_EQ(testDocument().DataModified(), c.done);
        EXPECT_EQ(ClassList.names(), c.classesAfter);
    }
    EXPECT_EQ(ClassList[QStringLiteral("M20")].ClassControlCount, 3);
    EXPECT_TRUE(ClassList[QStringLiteral("M20")].ClassLastGoalExist);
    EXPECT_EQ(ClassList[QStringLiteral("W21")].ClassRunnerCount(), 1);
    EXPECT_EQ(RaceInfo.RaceDate, QDate(2005, 4, 3));

    // Start times mark the race changed even when no name matched.
    testDocument().setDataModified(false);
    EXPECT_EQ(SetStartTimes({{QStringLiteral("B"), 0.4}}), 0);
    EXPECT_TRUE(testDocument().DataModified());

    testDocument().setCurrentFilePath(QStringLiteral("/somewhere/race.lap"));
    ClearRace();
    EXPECT_TRUE(ClassList.isEmpty());
    EXPECT_TRUE(RaceInfo.RaceName.isEmpty());
    EXPECT_TRUE(testDocument().CurrentFilePath().isEmpty());
    EXPECT_FALSE(testDocument().DataModified());
}

TEST_F(RaceTest, ReloadReadsTheFileAgainAndKeepsTheHeader)
{
    RaceInfo.RaceName = QStringLiteral("大会");
    AddClass(QStringLiteral("M21"), 1);
    const QString file = tempPath(QStringLiteral("race.lap"));
    ASSERT_EQ(basConvert::SaveRaceFile(file, basConvert::SaveType::Lap),
              basConvert::SaveResult::Saved);
    testDocument().setCurrentFilePath(file);

    RaceInfo.RaceName = QStringLiteral("改名");
    RaceInfo.RaceDate = QDate(2005, 4, 3);
    AddClass(QStringLiteral("X"), 2);
    testDocument().setDataModified(true);
    ASSERT_TRUE(ReloadKeepingHeader());
    EXPECT_EQ(ClassList.names(), QStringList({"M21"}));
    EXPECT_EQ(RaceInfo.RaceName, "改名");
    EXPECT_EQ(RaceInfo.RaceDate, QDate(2005, 4, 3));
    EXPECT_TRUE(testDocument().DataModified()) << "the header edits are still to be saved";

    // The file gone: the race in memory and its path stay, and the message says why.
    AddClass(QStringLiteral("Y"), 2);
    ASSERT_TRUE(QFile::remove(file));
    QString failure;
    EXPECT_FALSE(ReloadKeepingHeader(&failure));
    EXPECT_EQ(failure, QStringLiteral("ファイルを読み込めませんでした"));
    EXPECT_EQ(ClassList.names(), QStringList({"M21", "Y"}));
    EXPECT_EQ(testDocument().CurrentFilePath(), file);

    // A race that never had a file has nothing to read.
    testDocument().setCurrentFilePath(QString());
    EXPECT_TRUE(ReloadKeepingHeader());
    EXPECT_EQ(ClassList.names(), QStringList({"M21", "Y"}));
}
