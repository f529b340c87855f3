// The lap editor's rules: rows, cell texts, typed entries, the sum, cursor moves and how the
// columns become runners.
#include "editing/lapentry.h"

#include <gtest/gtest.h>

using namespace basLapEdit;

namespace {

double Secs(int s)
{
    return s / 86400.0;
}

}  // namespace

TEST(LapRows, LayoutAndHeaders)
{
    const LapRows three(3);
    EXPECT_EQ(three.rowCount(), 9);
    QStringList headers;
    for (int row = 0; row < three.rowCount(); ++row) headers << three.header(row);
    EXPECT_EQ(headers, QStringList({"名前", "所属", "スタート時刻", "△→１", "１→２", "２→３",
                                    "３→◎", "総タイム", "ラップ計"}));
    EXPECT_TRUE(three.lastLegIsFinish());

    const LapRows twelve(12);
    EXPECT_EQ(twelve.header(FirstLegRow + 9), QStringLiteral("９→10"));
    EXPECT_EQ(twelve.header(twelve.lastLegRow()), QStringLiteral("12→◎"));

    // A runner holds MaxLegs legs: one control fewer fills them with the finish, as many
    // controls are cut there.
    EXPECT_EQ(LapRows(MaxLegs - 1).legs, MaxLegs);
    EXPECT_TRUE(LapRows(MaxLegs - 1).lastLegIsFinish());
    const LapRows full(MaxLegs);
    EXPECT_EQ(full.legs, MaxLegs);
    EXPECT_EQ(full.rowCount(), MaxLegs + 5);
    EXPECT_FALSE(full.lastLegIsFinish());
    EXPECT_EQ(full.header(full.lastLegRow()), QStringLiteral("98→99"));
}

TEST(LapCells, StoredValuesAsText)
{
    EXPECT_EQ(LegCellText(Secs(754)), QStringLiteral("0:12:34"));
    EXPECT_EQ(LegCellText(Secs(3723)), QStringLiteral("1:02:03"));
    EXPECT_EQ(LegCellText(LapMissing), QStringLiteral("n/a"));
    EXPECT_EQ(LegCellText(LapMerged), QStringLiteral("↓"));
    EXPECT_EQ(LegCellText(LapAbsent), QString());
    EXPECT_EQ(TotalCellText(1 + Secs(600)), QStringLiteral("n/a"));
    EXPECT_EQ(TotalCellText(Secs(600)), QStringLiteral("0:10:00"));
    EXPECT_EQ(StartCellText(0), QString());
    EXPECT_EQ(StartCellText(Secs(10 * 3600 + 300)), QStringLiteral("10:05:00"));
}

TEST(LapCells, TypedLegEntries)
{
    // cell: what the cell takes; refused: the cell keeps its value; note: part of the message
    // that says how the entry was read (nullptr: no message).
    const struct {
        const char* typed;
        const char* cell;
        bool refused;
        const char* note;
    } cases[] = {
        {"1234", "0:12:34", false, nullptr},
        {"12:34", "0:12:34", false, nullptr},
        {"1:02:03", "1:02:03", false, nullptr},
        {"5", "0:00:05", false, nullptr},
        {"123", "0:01:23", false, nullptr},
        {"12345", "1:23:45", false, nullptr},
        {"75:30", "1:15:30", false, nullptr},  // minutes over an hour say what they are
        {" n ", "n/a", false, nullptr},
        {"N/A", "n/a", false, nullptr},
        {"S", "↓", false, nullptr},
        {"↓", "↓", false, nullptr},
        {"1'23", "0:01:23", false, nullptr},
        {"１２３４", "0:12:34", false, nullptr},
        {"", "", false, nullptr},  // an empty entry empties the cell
        {"99:99", "1:40:39", false, "1:40:39"},
        {"9999", "1:40:39", false, "1:40:39"},
        {"190", "0:02:30", false, "0:02:30"},
        {"1:75:00", "", true, "1:75:00"},
        {"abc", "", true, "abc"},
        {"x", "", true, "x"},
        {"na", "", true, "na"},
        {"abc12", "", true, "abc12"},
        {"-3:00", "", true, "-3:00"},
        {"－３：００", "", true, nullptr},
        {"::", "", true, "::"},
    };
    for (const auto& c : cases) {
        const LegEntry entry = ReadLegEntry(QString::fromUtf8(c.typed));
        EXPECT_EQ(entry.cell, QString::fromUtf8(c.cell)) << c.typed;
        EXPECT_EQ(entry.refused, c.refused) << c.typed;
        if (c.refused) {
            EXPECT_TRUE(entry.message.startsWith(QStringLiteral("時間として読めません")));
        }
        if (c.note) {
            EXPECT_TRUE(entry.message.contains(QString::fromUtf8(c.note))) << c.typed;
        } else if (!c.refused) {
            EXPECT_TRUE(entry.message.isEmpty()) << c.typed;
        }
    }
}

TEST(LapCells, SumOfTheLegsThatHoldATime)
{
    EXPECT_EQ(LapSumText({"0:10:00", "n/a", "↓", "", "0:05:30"}), QStringLiteral("0:15:30"));
    EXPECT_EQ(LapSumText({}), QStringLiteral("0:00:00"));
    EXPECT_EQ(LapSumText({"23:00:00", "2:00:00"}), QStringLiteral("1:00:00"));
}

TEST(LapCursor, MovesAfterAnEntry)
{
    const LapRows rows(3);  // legs on rows 3..6, total 7, sum 8
    const struct {
        int row, col, lastCol;
        CursorSteps steps;
        CursorMove expected;
    } cases[] = {
        {0, 1, 1, {true, false, false}, {3, 1, false}},  // name → first leg
        {0, 1, 1, {true, false, true}, {2, 1, false}},   // name → start
        {0, 1, 1, {true, true, false}, {1, 1, false}},   // name → club
        {1, 1, 1, {true, true, false}, {3, 1, false}},   // club → first leg
        {1, 1, 1, {true, true, true}, {2, 1, false}},    // club → start
        {2, 1, 1, {true, true, true}, {3, 1, false}},
        {5, 1, 1, {true, false, false}, {6, 1, false}},
        {6, 1, 1, {true, false, false}, {7, 1, false}},   // last leg → total
        {6, 1, 1, {false, false, false}, {0, 2, true}},   // last leg ends the runner
        {6, 1, 2, {false, false, false}, {0, 2, false}},  // … next column when there is one
        {7, 2, 3, {true, false, false}, {0, 3, false}},   // total → next column
        {7, 3, 3, {true, false, false}, {0, 4, true}},    // total in the last column
    };
    for (const auto& c : cases) {
        const CursorMove move = NextCell(rows, c.row, c.col, c.lastCol, c.steps);
        EXPECT_EQ(move.row, c.expected.row) << c.row << "," << c.col;
        EXPECT_EQ(move.col, c.expected.col) << c.row << "," << c.col;
        EXPECT_EQ(move.addColumn, c.expected.addColumn) << c.row << "," << c.col;
    }
}

TEST(LapStore, ColumnsBecomeRunners)
{
    clsClassData cls;
    cls.ClassControlCount = 2;
    cls.Add(clsClassDataSub());  // replaced
    const LapRows rows(2);
    const std::vector<LapColumn> columns = {
        {"Ann", "OK", "10:00:00", {"0:05:00", "↓", "0:04:00"}, "n/a"},
        {"Bob", "", "", {"0:06:00", "n/a", ""}, "0:20:00"},
        {"Named only", "", "", {"", "", ""}, ""},         // did not start: kept, not ranked
        {"Gap", "", "", {"0:05:00", "", "0:04:00"}, ""},  // the blank leg counts as n/a
        {"", "", "", {"0:01:00", "", ""}, ""},            // no name: dropped
        {"  ", "", "", {"0:01:00", "", ""}, ""},          // blanks are no name
        {"", "", "", {"", "", ""}, ""},                   // the empty column
    };
    StoreColumns(cls, rows, columns);
    EXPECT_TRUE(cls.ClassLastGoalExist);
    ASSERT_EQ(cls.ClassRunnerCount(), 4);
    const clsClassDataSub& gap = cls.RunnersAsAdded()[3];
    EXPECT_DOUBLE_EQ(gap.Lap(2), LapMissing);
    const clsClassDataSub& absent = cls.Item(4);  // after every run with a time
    EXPECT_EQ(absent.Namae, QStringLiteral("Named only"));
    EXPECT_EQ(absent.Status, RunStatus::DidNotStart);
    EXPECT_GT(absent.Total, gap.Total);
    const clsClassDataSub& ann = cls.RunnersAsAdded()[0];
    EXPECT_EQ(ann.Shozoku, QStringLiteral("OK"));
    EXPECT_DOUBLE_EQ(ann.StartTime, Secs(36000));
    EXPECT_DOUBLE_EQ(ann.Lap(1), Secs(300));
    EXPECT_DOUBLE_EQ(ann.Lap(2), LapMerged);
    EXPECT_DOUBLE_EQ(ann.Lap(3), Secs(240));
    EXPECT_NEAR(ann.Total, Secs(540), 1e-9);  // "n/a" gives 0, so the laps make the total
    const clsClassDataSub& bob = cls.RunnersAsAdded()[1];
    EXPECT_DOUBLE_EQ(bob.Lap(2), LapMissing);
    EXPECT_DOUBLE_EQ(bob.Lap(3), LapAbsent);
    EXPECT_DOUBLE_EQ(bob.Total, Secs(1200));

    // Without a time on any last leg the class has no finish leg.
    StoreColumns(cls, rows, {{"Cy", "", "", {"0:05:00", "0:05:00", "n/a"}, ""}});
    EXPECT_FALSE(cls.ClassLastGoalExist);
    EXPECT_EQ(cls.ClassRunnerCount(), 1);
}

TEST(LapStore, AsManyControlsAsLegsStayWithinTheLegs)
{
    clsClassData cls;
    cls.ClassControlCount = MaxLegs;
    const LapRows rows(MaxLegs);
    LapColumn column{"Ann", "", "", {}, ""};
    for (int leg = 1; leg <= rows.legs; ++leg) column.legs << QStringLiteral("0:01:00");
    ASSERT_NO_THROW(StoreColumns(cls, rows, {column}));
    EXPECT_FALSE(cls.ClassLastGoalExist);  // the cut last row ends at the last control
    ASSERT_EQ(cls.ClassRunnerCount(), 1);
    EXPECT_DOUBLE_EQ(cls.Item(1).Lap(MaxLegs), Secs(60));
    EXPECT_NEAR(cls.Item(1).Total, Secs(60 * MaxLegs), 1e-9);
}

// What applying points out, per column: a dropped column, blank legs among known ones, a total
// the legs contradict (legs of unknown time can only make it longer).
TEST(LapStore, ApplyNotesPointOutWhatTheGridDoesNotShow)
{
    const LapRows rows(2);  // legs △→１, １→２, ２→◎
    const QString who = QStringLiteral("2列目「Ann」: ");
    const struct {
        QStringList legs;
        const char* total;
        QString note;
    } cases[] = {
        {{"", " ", "↓"}, "", who + "空欄の区間 △→１、１→２ は n/a として扱います"},
        {{"↓", "0:09:00", "0:01:00"}, "0:10:00", {}},
        {{"0:05:00", "0:04:00", "0:01:00"},
         "0:11:00",
         who + "総タイム 0:11:00 がラップ計 0:10:00 と合いません"},
        {{"0:05:00", "n/a", "0:01:00"}, "0:11:00", {}},
        {{"0:05:00", "0:04:00", ""},
         "0:05:00",
         who + "総タイム 0:05:00 がラップ計 0:09:00 と合いません"},
    };
    const LapColumn empty{"", "", "", {"", "", ""}, ""};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.legs.join(",").toStdString() + " " + c.total);
        const QStringList notes = ApplyNotes(rows, {empty, {"Ann", "", "", c.legs, c.total}});
        EXPECT_EQ(notes, c.note.isEmpty() ? QStringList() : QStringList{c.note});
    }
    const LapColumn unnamed{"", "Club", "", {"", "", ""}, ""};
    EXPECT_EQ(ApplyNotes(rows, {empty, unnamed}), QStringList({"2列目: 名前がないため消えます"}));
}
