#include "race/racedocument.h"

#include <gtest/gtest.h>

namespace {

// A document with a header, one class, a file and unsaved changes.
void fill(RaceDocument& doc)
{
    Race race;
    race.RaceInfo.RaceName = QStringLiteral("春の大会");
    race.RaceInfo.RaceDate = QDate(2024, 4, 7);
    race.ClassList.add(QStringLiteral("M21"));
    doc.replaceRace(std::move(race), QStringLiteral("/races/spring.lap"));
    doc.setDataModified(true);
}

// Every change tells the windows once; what changes nothing tells nobody and marks nothing.
TEST(RaceDocument, TellsEveryChangeAndOnlyChanges)
{
    const struct {
        const char* what;
        std::function<void(RaceDocument&)> change;
        int told;
        bool modified;
        const char* path;
        int classes;
    } cases[] = {
        {"reset", [](RaceDocument& d) { d.resetRace(); }, 1, false, "", 0},
        {"new file", [](RaceDocument& d) { d.setCurrentFilePath("/x.lap"); }, 1, true, "/x.lap", 1},
        {"same file", [](RaceDocument& d) { d.setCurrentFilePath("/races/spring.lap"); }, 0, true,
         "/races/spring.lap", 1},
        {"saved", [](RaceDocument& d) { d.setDataModified(false); }, 1, false, "/races/spring.lap",
         1},
        {"still modified", [](RaceDocument& d) { d.setDataModified(true); }, 0, true,
         "/races/spring.lap", 1},
        {"replaced", [](RaceDocument& d) { d.replaceRace(Race(), "/y.lap"); }, 1, true, "/y.lap",
         0},
        {"header put back", [](RaceDocument& d) { d.restoreHeader(RaceHeader()); }, 1, true,
         "/races/spring.lap", 1},
        {"edited",
         [](RaceDocument& d) {
             EXPECT_TRUE(d.edit([](Race& r) { return r.ClassList.remove("m21"); }));
         },
         1, true, "/races/spring.lap", 0},
        {"edit that changed nothing",
         [](RaceDocument& d) {
             EXPECT_FALSE(d.edit([](Race& r) { return r.ClassList.remove("W21"); }));
         },
         0, true, "/races/spring.lap", 1},
    };
    for (const auto& c : cases) {
        RaceDocument doc;
        fill(doc);
        int told = 0;
        QObject::connect(&doc, &RaceDocument::changed, [&told] { ++told; });
        c.change(doc);
        EXPECT_EQ(told, c.told) << c.what;
        EXPECT_EQ(doc.DataModified(), c.modified) << c.what;
        EXPECT_EQ(doc.CurrentFilePath(), QString::fromUtf8(c.path)) << c.what;
        EXPECT_EQ(doc.ClassList().count(), c.classes) << c.what;
    }
}

// An edit marks the race modified even when it was saved; a replaced race keeps the flag, for
// the load decides it.
TEST(RaceDocument, EditMarksASavedRaceModified)
{
    RaceDocument doc;
    fill(doc);
    doc.setDataModified(false);
    EXPECT_TRUE(doc.edit([](Race& r) {
        r.RaceInfo.RacePlace = QStringLiteral("森");
        return true;
    }));
    EXPECT_TRUE(doc.DataModified());
    EXPECT_EQ(doc.RaceInfo().RacePlace, QStringLiteral("森"));
    EXPECT_EQ(doc.RaceInfo().RaceName, QStringLiteral("春の大会"));

    doc.resetRace();
    EXPECT_FALSE(doc.RaceInfo().hasDate());
    EXPECT_TRUE(doc.RaceInfo().RaceName.isEmpty());
    EXPECT_TRUE(doc.ClassList().isEmpty());
}

}  // namespace
