#include "common/testsupport.h"
#include "race/classdata.h"
#include "race/race.h"
#include "race/sortdata.h"

#include <random>
#include <stdexcept>

namespace {

constexpr double kMinute = 60.0 / 86400.0;

clsClassDataSub runnerWithLaps(std::initializer_list<double> laps, double total = 0)
{
    clsClassDataSub r;
    int k = 1;
    for (double lap : laps) r.setLap(k++, lap);
    r.Total = total;
    return r;
}

clsClassData threeLegClass()
{
    clsClassData c;
    c.ClassControlCount = 2;
    c.ClassLastGoalExist = true;
    return c;
}

}  // namespace

TEST(ClassData, AddComputesMissingTotalFromLegs)
{
    clsClassData c = threeLegClass();
    c.Add(runnerWithLaps({5 * kMinute, LapMerged, 4 * kMinute}));
    c.Add(runnerWithLaps({5 * kMinute, LapMissing, 4 * kMinute}));
    c.Add(runnerWithLaps({LapAbsent, LapMerged, LapAbsent}));
    c.Add(runnerWithLaps({1 * kMinute, 1 * kMinute, 1 * kMinute}, 30 * kMinute));

    ASSERT_EQ(c.ClassRunnerCount(), 4);
    EXPECT_DOUBLE_EQ(c.Item(1).Total, 0);  // every leg negative: stays 0
    EXPECT_DOUBLE_EQ(c.Item(2).Total, 9 * kMinute);
    EXPECT_DOUBLE_EQ(c.Item(3).Total, 30 * kMinute);       // a given total is kept
    EXPECT_DOUBLE_EQ(c.Item(4).Total, 1.0 + 9 * kMinute);  // a missing split adds a day
}

TEST(ClassData, AddOnlySumsTheLegsOfTheClass)
{
    clsClassData c;
    c.ClassControlCount = 1;  // one leg, no finish leg
    c.Add(runnerWithLaps({3 * kMinute, 7 * kMinute}));
    EXPECT_DOUBLE_EQ(c.Item(1).Total, 3 * kMinute);
}

// Runners of equal totals keep the order they were added in, so that a race saved and loaded
// again lists them as before.
TEST(ClassData, EqualTotalsKeepTheOrderTheyWereAddedIn)
{
    clsClassData c = threeLegClass();
    for (auto [name, total] : {std::pair{"first", 40}, {"second", 35}, {"third", 40}}) {
        clsClassDataSub r;
        r.Namae = name;
        r.Total = total * kMinute;
        c.Add(r);
    }
    EXPECT_EQ(c.Item(1).Namae, "second");
    EXPECT_EQ(c.Item(2).Namae, "first");
    EXPECT_EQ(c.Item(3).Namae, "third");
    EXPECT_THROW(c.Item(4), std::out_of_range);
    EXPECT_THROW(c.Item(0), std::out_of_range);

    c.ClearItem();
    EXPECT_EQ(c.ClassRunnerCount(), 0);
}

TEST(ClassData, LegCountAndLegBounds)
{
    clsClassData c;
    c.ClassControlCount = 12;
    c.ClassLastGoalExist = true;
    EXPECT_EQ(c.LegCount(), 13);
    c.ClassLastGoalExist = false;
    EXPECT_EQ(c.LegCount(), 12);

    clsClassDataSub r;
    EXPECT_NO_THROW(r.setLap(MaxLegs, 1));
    EXPECT_THROW(r.setLap(MaxLegs + 1, 1), std::out_of_range);
    EXPECT_THROW(r.Lap(0), std::out_of_range);
}

TEST(SortData, OrdersAscendingWithNewestFirstAmongEquals)
{
    SortData s;
    s.Add(30, "a");
    s.Add(10, "b");
    s.Add(20, "c");
    s.Calc();
    EXPECT_EQ(s.Value(1), 10);
    EXPECT_EQ(s.Value(3), 30);
    EXPECT_EQ(s.RankOrder("a"), 3);
    EXPECT_EQ(s.RankOrder("b"), 1);
    EXPECT_EQ(s.RankOrder("c"), 2);

    SortData t;
    t.Add(20, "A");
    t.Add(20, "B");
    t.Add(10, "C");
    t.Calc();
    EXPECT_EQ(t.Key(1), "C");
    EXPECT_EQ(t.Key(2), "B");
    EXPECT_EQ(t.Key(3), "A");
    EXPECT_EQ(t.RankOrder("A"), 2);
    EXPECT_EQ(t.RankOrder("B"), 2);
    EXPECT_THROW(t.Add(5, "A"), std::invalid_argument);
    EXPECT_THROW(t.Value(4), std::out_of_range);
    EXPECT_THROW(t.RankOrder("Z"), std::out_of_range);
}

TEST(SortData, CompetitionRanksOverManyEntries)
{
    SortData s;
    s.Calc();
    EXPECT_EQ(s.Count(), 0);
    const int values[] = {10, 20, 20, 30, 5, 20, 5, 40};
    for (int i = 0; i < 8; ++i) s.Add(values[i], QString::number(i));
    s.Calc();
    // Sorted: 5 5 10 20 20 20 30 40 -> ranks 1 1 3 4 4 4 7 8
    const int expected[] = {1, 1, 3, 4, 4, 4, 7, 8};
    for (int k = 1; k <= s.Count(); ++k) {
        EXPECT_EQ(s.RankOrder(s.Key(k)), expected[k - 1]) << k;
        EXPECT_LE(s.RankOrder(s.Key(k)), k);
        if (k > 1) {
            EXPECT_LE(s.Value(k - 1), s.Value(k));
        }
    }
}

// Adding all pairs at once orders them exactly as adding them one by one: ascending, the
// newest first among equal values; a repeated key is refused either way.
TEST(SortData, AddAllOrdersAsAddingOneByOne)
{
    std::mt19937 random(5);
    std::uniform_int_distribution<int> value(0, 40);  // many ties
    std::vector<std::pair<double, QString>> pairs;
    SortData one;
    for (int i = 0; i < 500; ++i) {
        pairs.emplace_back(value(random), QString::number(i));
        one.Add(pairs.back().first, pairs.back().second);
    }
    SortData all;
    all.AddAll(pairs);
    one.Calc();
    all.Calc();
    ASSERT_EQ(all.Count(), one.Count());
    for (int k = 1; k <= one.Count(); ++k) {
        EXPECT_EQ(all.Key(k), one.Key(k)) << k;
        EXPECT_EQ(all.RankOrder(all.Key(k)), one.RankOrder(one.Key(k))) << k;
    }
    SortData twice;
    EXPECT_THROW(twice.AddAll({{1, QStringLiteral("a")}, {2, QStringLiteral("a")}}),
                 std::invalid_argument);
}

TEST_F(RaceTest, ClassCollectionIgnoresLetterCaseAndKeepsOrder)
{
    using namespace basDefinition;
    testRace().ClassList.add("M21").ClassControlCount = 3;
    testRace().ClassList.add("");
    testRace().ClassList.add("w21");
    EXPECT_EQ(testRace().ClassList.names(), QStringList({"M21", "", "w21"}));
    ASSERT_NE(testRace().ClassList.find("m21"), nullptr);
    EXPECT_EQ(testRace().ClassList["m21"].ClassControlCount, 3);
    EXPECT_TRUE(testRace().ClassList.contains("W21"));
    EXPECT_THROW(testRace().ClassList.add("W21"), std::invalid_argument);
    EXPECT_THROW(testRace().ClassList["X"], std::out_of_range);
    EXPECT_EQ(DisplayClassName(testRace().ClassList.at(2).ClassName), "名称未入力");

    testDocument().resetRace();
    EXPECT_TRUE(testRace().ClassList.isEmpty());
    EXPECT_FALSE(testRace().RaceInfo.hasDate());
}

TEST_F(RaceTest, ClassCollectionRenameMovesLastAndRemoveDrops)
{
    ClassCollection classes;
    for (const char* name : {"A", "B", "C"}) classes.add(QString::fromLatin1(name));
    clsClassData* a = classes.find(QStringLiteral("A"));
    a->ClassControlCount = 7;

    // Another class's name, in any letter case, is refused and nothing moves.
    EXPECT_FALSE(classes.rename(QStringLiteral("A"), QStringLiteral("b")));
    EXPECT_FALSE(classes.rename(QStringLiteral("X"), QStringLiteral("Y")));
    EXPECT_EQ(classes.names(), QStringList({"A", "B", "C"}));

    // Renaming, even to its own name, moves the same object to the end.
    ASSERT_TRUE(classes.rename(QStringLiteral("A"), QStringLiteral("a")));
    EXPECT_EQ(classes.names(), QStringList({"B", "C", "a"}));
    ASSERT_TRUE(classes.rename(QStringLiteral("B"), QStringLiteral("Z")));
    EXPECT_EQ(classes.names(), QStringList({"C", "a", "Z"}));
    EXPECT_EQ(classes.find(QStringLiteral("A")), a);
    EXPECT_EQ(classes.find(QStringLiteral("a"))->ClassControlCount, 7);
    EXPECT_EQ(classes.find(QStringLiteral("B")), nullptr);

    EXPECT_TRUE(classes.remove(QStringLiteral("c")));
    EXPECT_FALSE(classes.remove(QStringLiteral("c")));
    EXPECT_EQ(classes.names(), QStringList({"a", "Z"}));
}

TEST(RunStatusNames, EveryStatusHasOneCodeAndText)
{
    const struct {
        RunStatus status;
        const char* code;
        const char* text;
    } cases[] = {
        {RunStatus::Ok, "OK", ""},
        {RunStatus::MissingPunch, "MP", "ミスパンチ"},
        {RunStatus::DidNotFinish, "DNF", "途中棄権"},
        {RunStatus::Disqualified, "DSQ", "失格"},
        {RunStatus::DidNotStart, "DNS", "欠場"},
        {RunStatus::OverTime, "OT", "時間超過"},
        {RunStatus::NotCompeting, "NC", "参考"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RunStatusCode(c.status), QString::fromLatin1(c.code));
        EXPECT_EQ(RunStatusText(c.status), QString::fromUtf8(c.text));
        EXPECT_EQ(RunStatusOfCode(QString::fromLatin1(c.code).toLower()), c.status);
    }
    EXPECT_FALSE(RunStatusOfCode("MPX").has_value());
    EXPECT_FALSE(RunStatusOfCode("").has_value());
}
