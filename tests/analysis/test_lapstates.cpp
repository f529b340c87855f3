// Lap states, merges and elapsed times of single runners, and the analysis as a value.
#include "classbuilder.h"

#include <cmath>

using namespace analysistest;
using basAnalyze::AnalyzeClass;
using basAnalyze::PrepareClass;

namespace {

class LapStates : public AnalysisTest {
protected:
    // One class "X" of five legs (four controls and the finish) holding the runners given.
    void analyse(std::initializer_list<RunnerRow> runners)
    {
        addClass(QStringLiteral("X"), 4, true, runners);
        ASSERT_TRUE(analyze(QStringLiteral("X")));
    }
    std::vector<int> lapStates(int r) const
    {
        std::vector<int> s;
        for (int l = 1; l <= ws().AnaLegCount; ++l) s.push_back(ws().LapState(r, l));
        return s;
    }
    std::vector<int> sumStates(int r) const
    {
        std::vector<int> s;
        for (int l = 1; l <= ws().AnaLegCount; ++l) s.push_back(ws().SumState(r, l));
        return s;
    }
};

using States = std::vector<int>;

TEST_F(LapStates, MergedStretchCoversTheLegsSinceTheLastTime)
{
    analyse({{"R", {"3:00", "→", "→", "9:00", "2:00"}},
             {"Ref", {"3:00", "2:00", "3:00", "4:00", "2:00"}}});
    int r = runnerIndex("R");
    EXPECT_EQ(lapStates(r), (States{0, -1, -1, 2, 0}));
    EXPECT_EQ(sumStates(r), (States{0, -1, -1, 0, 0}));
    EXPECT_EQ(ws().LapRank(r, 4), 0);  // a merged time is never ranked
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 3)), 180, 1e-6);
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 4)), 720, 1e-6);
    // Merged against the top averages of legs 2..4, the other runner's 2:00 + 3:00 + 4:00.
    EXPECT_FLOAT_EQ(ws().LapRatio(r, 4), 1.0f);
    EXPECT_TRUE(ws().Counted(r, 4));
    EXPECT_FALSE(ws().Counted(r, 3));
}

TEST_F(LapStates, RunnerWhoStoppedAfterAMergeMark)
{
    // Nothing follows the mark: the leg is excluded, not waiting for a later time.
    analyse({{"Stop", {"3:00", "→", "n/a", "n/a", "n/a"}},
             {"Marks", {"3:00", "4:00", "→", "→", "n/a"}}});
    int stop = runnerIndex("Stop");
    EXPECT_EQ(lapStates(stop), (States{0, -2, -2, -2, -2}));
    EXPECT_EQ(sumStates(stop), (States{0, -2, -2, -2, -2}));
    // A later mark counts as something to wait for, the last mark does not.
    int marks = runnerIndex("Marks");
    EXPECT_EQ(lapStates(marks), (States{0, 0, -1, -2, -2}));
    EXPECT_EQ(sumStates(marks), (States{0, 0, -1, -2, -2}));
    for (int l = 2; l <= 5; ++l) EXPECT_EQ(ws().LapRatio(stop, l), 0);
}

TEST_F(LapStates, StretchStartingWithAnEmptyEntryIsExcluded)
{
    analyse({{"Gap", {"3:00", "", "→", "6:00", "2:00"}}});
    int r = runnerIndex("Gap");
    EXPECT_EQ(lapStates(r), (States{0, -2, -2, -2, 0}));
    EXPECT_DOUBLE_EQ(ws().LapTime(r, 2), 0);  // the empty entry's mark is cleared
    EXPECT_EQ(ws().LapRank(r, 4), 0);
    EXPECT_EQ(ws().LapRatio(r, 4), 0);
    EXPECT_FALSE(ws().Counted(r, 4));
    // The elapsed time goes on: the empty leg does not exist for this runner.
    EXPECT_EQ(sumStates(r), (States{0, -1, -1, 0, 0}));
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 5)), 660, 1e-6);
}

TEST_F(LapStates, EmptyFirstLegLeavesEveryLaterElapsedTimeInvalid)
{
    analyse({{"NoStart", {"", "5:00", "4:00", "3:00", "2:00"}},
             {"NoStartMerged", {"", "→", "4:00", "3:00", "2:00"}}});
    for (QString name : {"NoStart", "NoStartMerged"}) {
        int r = runnerIndex(name);
        EXPECT_EQ(ws().LapState(r, 1), -2) << name.toStdString();
        EXPECT_EQ(ws().SumState(r, 5), -2) << name.toStdString();
        EXPECT_DOUBLE_EQ(ws().SumTime(r, 1), 0);
        EXPECT_EQ(ws().EstSumRank(r, 5), 0);
    }
    int r = runnerIndex("NoStart");
    EXPECT_EQ(lapStates(r), (States{-2, -2, 0, 0, 0}));
    // Every leg of the stretch, the empty one included, has no elapsed time.
    EXPECT_EQ(sumStates(r), (States{-2, -2, -2, -2, -2}));
    EXPECT_EQ(sumStates(runnerIndex("NoStartMerged")), (States{-2, -2, -2, -2, -2}));
    // Its later legs are still its own times: ranked and counted.
    EXPECT_EQ(ws().LapRank(r, 3), 1);
}

TEST_F(LapStates, MissingSplitInvalidatesTheElapsedTimeFromThere)
{
    analyse({{"Missing", {"3:00", "n/a", "4:00", "3:00", "2:00"}},
             {"GivenTotal", {"3:10", "n/a", "4:10", "3:10", "2:10"}, "20:00"},
             {"Clean", {"3:20", "2:00", "4:20", "3:20", "2:20"}}});
    int missing = runnerIndex("Missing");
    EXPECT_EQ(lapStates(missing), (States{0, -2, 0, 0, 0}));
    EXPECT_EQ(sumStates(missing), (States{0, -2, -2, -2, -2}));
    // A total of a day or more is no result: TotalTime 0 and ranked after the others.
    EXPECT_DOUBLE_EQ(ws().TotalTime(missing), 0);
    EXPECT_EQ(ws().TotalRank(missing), 3);
    EXPECT_EQ(missing, 3);
    // Without a valid total the leg after an excluded leg is not ranked; later legs are.
    EXPECT_EQ(ws().LapRank(missing, 3), 0);
    EXPECT_EQ(ws().LapRank(missing, 4), 1);
    // With a valid total the same leg is ranked.
    int given = runnerIndex("GivenTotal");
    EXPECT_EQ(ws().LapRank(given, 3), 1);
    EXPECT_EQ(ws().LapRank(runnerIndex("Clean"), 3), 2);
}

TEST_F(LapStates, OtherNegativeMarksMergeButOnlyMinusTwoIsEmpty)
{
    analyse({{"Minus3", {"3:00", "-3", "6:00", "2:00", "2:00"}},
             {"Minus2", {"3:00", "-2", "6:00", "2:00", "2:00"}}});
    EXPECT_EQ(lapStates(runnerIndex("Minus3")), (States{0, -1, 2, 0, 0}));
    EXPECT_EQ(lapStates(runnerIndex("Minus2")), (States{0, -2, -2, 0, 0}));
}

TEST_F(LapStates, ElapsedTimesAreWholeSecondsHalvesUp)
{
    analyse({{"Half", {"1:00.5", "1:00", "1:00.4", "1:00", "1:00"}},
             {"Long", {"23:00:00", "2:00:00", "1:00", "1:00", "1:00"}}});
    int r = runnerIndex("Half");
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 1)), 60.5, 1e-6);  // leg 1 is the leg time itself
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 2)), 121, 1e-6);   // 120.5 rounds up
    EXPECT_NEAR(inSeconds(ws().SumTime(r, 3)), 181, 1e-6);   // 181.4 rounds down
    // Elapsed times are times of day: past 24 hours they wrap.
    EXPECT_NEAR(inSeconds(ws().SumTime(runnerIndex("Long"), 2)), 3600, 1e-6);
}

TEST_F(LapStates, TheRaceIsNotChanged)
{
    analyse({{"R", {"3:00", "→", "-3", "9:00", ""}}, {"S", {"", "→", "4:00", "1:00", "2:00"}}});
    const clsClassData& cls = testRace().ClassList[QStringLiteral("X")];
    const double expectedR[] = {seconds(180), LapMerged, -3, seconds(540), LapAbsent};
    const clsClassDataSub& r = cls.Item(runnerIndex("R"));
    for (int l = 1; l <= 5; ++l) EXPECT_DOUBLE_EQ(r.Lap(l), expectedR[l - 1]);
    const clsClassDataSub& s = cls.Item(runnerIndex("S"));
    EXPECT_DOUBLE_EQ(s.Lap(1), LapAbsent);
    EXPECT_DOUBLE_EQ(s.Lap(2), LapMerged);
}

using Analysis = AnalysisTest;

TEST_F(Analysis, SizedToTheClassAndIndependentOfLaterCalls)
{
    clsClassData& big = addClass(QStringLiteral("Big"), 29, true, {});
    for (int i = 1; i <= 250; ++i) {
        RunnerRow row{QStringLiteral("R%1").arg(i), {}};
        for (int l = 1; l <= 30; ++l)
            row.laps.push_back(QStringLiteral("1:%1").arg(i % 60, 2, 10, QChar('0')));
        addRunner(big, row);
    }
    addClass(QStringLiteral("Small"), 1, false, {{"Only", {"2:00"}}});

    const basAnalyze::AnalysisWorkspace first = AnalyzeClass(testRace(), QStringLiteral("Big"));
    EXPECT_EQ(first.AnaRunnerCount, 250);
    EXPECT_EQ(first.AnaLegCount, 30);
    EXPECT_EQ(first.RunnerName.count(), 250);
    EXPECT_EQ(first.LapRank(250, 30), 247);  // four runners share the slowest time 1:59
    const float ratio = first.LapRatio(250, 30);

    const basAnalyze::AnalysisWorkspace small = AnalyzeClass(testRace(), QStringLiteral("Small"));
    EXPECT_EQ(small.AnaRunnerCount, 1);
    EXPECT_EQ(small.AnaLegCount, 1);
    EXPECT_THROW(small.LapTime(2, 1), std::out_of_range);
    EXPECT_THROW(small.TopAverage(2), std::out_of_range);
    // An analysis keeps its class whatever is analysed after it; a new one is the same.
    EXPECT_EQ(first.AnaRunnerCount, 250);
    EXPECT_EQ(first.LapRatio(250, 30), ratio);
    EXPECT_EQ(AnalyzeClass(*testRace().ClassList.find(QStringLiteral("big"))).LapRatio(250, 30),
              ratio);

    const basAnalyze::AnalysisWorkspace none = PrepareClass(testRace(), QStringLiteral("None"));
    EXPECT_EQ(none.AnaClassName, "None");
    EXPECT_EQ(none.AnaRunnerCount, 0);
    EXPECT_EQ(none.AnaLegCount, 0);
    EXPECT_EQ(none.RunnerName.count(), 0);
}

TEST_F(Analysis, LegsBeyondTheModelAreNotRead)
{
    addClass(QStringLiteral("Odd"), MaxLegs, true, {{"R", {"1:00"}}});
    ASSERT_TRUE(analyze(QStringLiteral("Odd")));
    EXPECT_EQ(ws().AnaLegCount, MaxLegs);
    EXPECT_EQ(ws().AnaControlCount, MaxLegs);
}

}  // namespace

// A run that is not OK has no total and no rank at the finish, where its elapsed time is its
// total; its splits keep their ranks. A run without a status whose total is not valid shows as
// mispunched.
TEST_F(LapStates, ARunThatIsNotOkHasNoTotalAndNoRankAtTheFinish)
{
    clsClassData& x = addClass(QStringLiteral("X"), 2, true,
                               {{"Ok1", {"3:00", "4:00", "1:00"}},
                                {"Ok2", {"3:10", "4:10", "1:20"}},
                                {"Mp", {"3:20", "n/a", "1:00"}}});
    clsClassDataSub nc;
    nc.Namae = QStringLiteral("Nc");
    for (int l = 1; l <= 3; ++l) nc.setLap(l, seconds(230 - 60 * l));
    nc.Status = RunStatus::NotCompeting;
    x.Add(nc);
    ASSERT_TRUE(analyze(QStringLiteral("X")));
    QStringList found;
    for (int r = 1; r <= 4; ++r)
        found << QStringLiteral("%1 %2 %3 %4%5%6")
                     .arg(ws().RunnerName(r), RunStatusCode(ws().RunnerStatus(r)))
                     .arg(inSeconds(ws().TotalTime(r)))
                     .arg(ws().EstSumRank(r, 1))
                     .arg(ws().EstSumRank(r, 2))
                     .arg(ws().EstSumRank(r, 3));
    EXPECT_EQ(found,
              QStringList({"Ok1 OK 480 221", "Ok2 OK 520 332", "Mp MP 0 400", "Nc NC 0 110"}));
}
