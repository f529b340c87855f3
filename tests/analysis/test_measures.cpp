// Leg ranks, top averages, ties, merged legs in the measures, the cruise walk, and classes
// without anything to measure.
#include "classbuilder.h"

#include <cmath>

using namespace analysistest;
using basAnalyze::AnalyzeClass;
using basAnalyze::AnalyzeClassDetail;

namespace {

class Measures : public AnalysisTest {};

TEST_F(Measures, TopAverageOfOneTwoThreeAndMoreEligibleRunners)
{
    // Leg 1: four runners; leg 2: three; leg 3: two; leg 4: one (others without a time).
    addClass(QStringLiteral("T"), 4, false,
             {{"P", {"1:00", "2:00", "3:00", "4:00"}},
              {"Q", {"1:10", "2:30", "3:30", "n/a"}},
              {"R", {"1:20", "2:40", "n/a", "n/a"}},
              {"S", {"5:00", "n/a", "n/a", "n/a"}}});
    ASSERT_TRUE(analyze(QStringLiteral("T")));
    EXPECT_NEAR(inSeconds(ws().TopAverage(1)), 70, 1e-9);  // the three fastest of four
    EXPECT_NEAR(inSeconds(ws().TopAverage(2)), 430.0 / 3, 1e-9);
    EXPECT_NEAR(inSeconds(ws().TopAverage(3)), 195, 1e-9);
    EXPECT_NEAR(inSeconds(ws().TopAverage(4)), 240, 1e-9);
    EXPECT_EQ(ws().LapRank(runnerIndex("S"), 1), 4);
    EXPECT_FLOAT_EQ(ws().LapRatio(runnerIndex("P"), 4), 1.0f);
    EXPECT_FLOAT_EQ(ws().LegWeight(4), static_cast<float>(240 / (70 + 430.0 / 3 + 195 + 240)));
}

TEST_F(Measures, TiesShareTheRankAndSkipTheNext)
{
    addClass(QStringLiteral("T"), 2, false,
             {{"P", {"2:00", "3:00"}}, {"Q", {"2:00", "3:00"}}, {"R", {"1:50", "3:20"}}});
    ASSERT_TRUE(analyze(QStringLiteral("T")));
    int p = runnerIndex("P"), q = runnerIndex("Q"), r = runnerIndex("R");
    // Totals 5:00, 5:00, 5:10.
    EXPECT_EQ(ws().TotalRank(p), 1);
    EXPECT_EQ(ws().TotalRank(q), 1);
    EXPECT_EQ(ws().TotalRank(r), 3);
    EXPECT_EQ(ws().LapRank(r, 1), 1);
    EXPECT_EQ(ws().LapRank(p, 1), 2);
    EXPECT_EQ(ws().LapRank(q, 1), 2);
    EXPECT_EQ(ws().LapRank(p, 2), 1);
    EXPECT_EQ(ws().LapRank(q, 2), 1);
    EXPECT_EQ(ws().LapRank(r, 2), 3);
    EXPECT_EQ(ws().EstSumRank(p, 2), 1);
    EXPECT_EQ(ws().EstSumRank(q, 2), 1);
    EXPECT_EQ(ws().EstSumRank(r, 2), 3);
}

TEST_F(Measures, MergedLegInRelativeValueCruiseSpeedAndMissTime)
{
    // Top averages: leg 1 2:00, leg 2 4:00, leg 3 2:00 (weights 0.25, 0.5, 0.25).
    addClass(QStringLiteral("M"), 3, false,
             {{"Top1", {"2:00", "4:00", "2:00"}},
              {"Top2", {"2:00", "4:00", "2:00"}},
              {"Top3", {"2:00", "4:00", "2:00"}},
              {"Merged", {"→", "7:12", "2:24"}}});
    ASSERT_TRUE(analyze(QStringLiteral("M")));
    int m = runnerIndex("Merged");
    ASSERT_EQ(ws().LapState(m, 2), 1);
    EXPECT_FLOAT_EQ(ws().LegWeight(2), 0.5f);
    // 7:12 over the 6:00 of legs 1..2 and 2:24 over 2:00: both 1.2.
    EXPECT_FLOAT_EQ(ws().LapRatio(m, 2), 1.2f);
    EXPECT_FLOAT_EQ(ws().LapRatio(m, 3), 1.2f);
    EXPECT_FLOAT_EQ(ws().RelativeValue(m), 1.2f);
    EXPECT_NEAR(ws().CruiseSpeed(m), 1.2, 1e-6);
    // At the cruise pace there is no miss, on the merged leg either.
    EXPECT_NEAR(inSeconds(ws().MissTime(m, 2)), 0, 1e-3);
    EXPECT_NEAR(inSeconds(ws().MissTimeTotal(m)), 0, 1e-3);
    EXPECT_EQ(ws().MissTime(m, 1), 0);
    // The merged 7:12 splits 1:3 into 2:24 and 4:48; the elapsed time at control 1 is 2:24.
    EXPECT_NEAR(inSeconds(ws().EstLapTime(m, 1)), 144, 1e-6);
    EXPECT_NEAR(inSeconds(ws().EstLapTime(m, 2)), 288, 1e-6);
    EXPECT_NEAR(inSeconds(ws().EstSumTime(m, 1)), 144, 1e-6);
    EXPECT_NEAR(inSeconds(ws().EstSumTime(m, 2)), 432, 1e-6);
    EXPECT_EQ(ws().EstSumRank(m, 1), 4);
    EXPECT_EQ(ws().LapRank(m, 1), 0);
    EXPECT_EQ(ws().LapRank(m, 2), 0);
    EXPECT_EQ(ws().LapRank(m, 3), 4);
}

TEST_F(Measures, CruiseWalkStopsAtHalfTheCourse)
{
    // Four legs of equal weight (0.25 each): two legs reach 0.5 exactly and end the walk.
    addClass(QStringLiteral("C"), 4, false,
             {{"Ref", {"2:00", "2:00", "2:00", "2:00"}},
              {"Ref2", {"2:00", "2:00", "2:00", "2:00"}},
              {"Ref3", {"2:00", "2:00", "2:00", "2:00"}},
              {"Runner", {"2:12", "2:00", "3:00", "2:24"}}});
    ASSERT_TRUE(analyze(QStringLiteral("C")));
    int r = runnerIndex("Runner");
    // Best ratios 1.0 (leg 2) and 1.1 (leg 1): (120 + 132) s over 240 s.
    EXPECT_NEAR(ws().CruiseSpeed(r), 1.05, 1e-6);
    EXPECT_NEAR(inSeconds(ws().CruiseTime(r)), 252 / 0.5, 1e-6);
    // Miss time of leg 3 against 1.05 x 2:00 = 126 s.
    EXPECT_NEAR(inSeconds(ws().MissTime(r, 3)), 54, 1e-4);
    EXPECT_NEAR(inSeconds(ws().MissTime(r, 2)), -6, 1e-4);
    EXPECT_NEAR(inSeconds(ws().MissTimeTotal(r)), 54 + 6 + 18, 1e-4);
    EXPECT_NEAR(inSeconds(ws().NoMissTime(r)), 576 - 78, 1e-4);
    EXPECT_NEAR(ws().MissRate(r), 78.0 / 576, 1e-6);
}

// Every number of the analysis, as a list, to check that none is NaN or infinite.
std::vector<double> everyNumber(const basAnalyze::AnalysisWorkspace& w)
{
    std::vector<double> v{w.TopTotal};
    for (int r = 1; r <= w.AnaRunnerCount; ++r) {
        for (double x : {w.TotalTime(r), w.CruiseTime(r), w.MissTimeTotal(r), w.NoMissTime(r)})
            v.push_back(x);
        for (float x : {w.RelativeValue(r), w.CruiseSpeed(r), w.MissRate(r), w.ShortLegRelative(r),
                        w.LongLegRelative(r), w.EarlyRelative(r), w.LateRelative(r),
                        w.EarlyCruiseSpeed(r), w.LateCruiseSpeed(r), w.AfterMissRelative(r)})
            v.push_back(x);
        for (int l = 1; l <= w.AnaLegCount; ++l)
            for (double x : {w.LapTime(r, l), w.SumTime(r, l), double(w.LapRatio(r, l)),
                             w.MissTime(r, l), w.EstLapTime(r, l), w.EstSumTime(r, l)})
                v.push_back(x);
    }
    for (int l = 1; l <= w.AnaLegCount; ++l) {
        v.push_back(w.TopAverage(l));
        v.push_back(w.LegWeight(l));
    }
    return v;
}

TEST_F(Measures, ClassWithoutAnyRankedLegHasZeroWeightsAndNoNaN)
{
    addClass(QStringLiteral("Z"), 3, false,
             {{"P", {"n/a", "n/a", "n/a"}}, {"Q", {"→", "→", "→"}}, {"R", {"", "", ""}}});
    ASSERT_TRUE(analyzeDetail(QStringLiteral("Z")));
    EXPECT_EQ(ws().TopTotal, 0);
    for (int l = 1; l <= 3; ++l) EXPECT_EQ(ws().LegWeight(l), 0);
    for (int r = 1; r <= 3; ++r) {
        EXPECT_EQ(ws().CruiseTime(r), 0);
        EXPECT_EQ(ws().CruiseSpeed(r), 0);
        EXPECT_EQ(ws().RelativeValue(r), 0);
        EXPECT_EQ(ws().MissRate(r), 0);
    }
    for (double x : everyNumber(ws())) EXPECT_TRUE(std::isfinite(x));
    basAnalyze::LegDifficultyTable d = basAnalyze::LegDifficulty(ws(), 1);
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(d.Spread(l), 1);
        EXPECT_EQ(d.Difficulty(l), 1);
    }
}

TEST_F(Measures, ClassWithoutLegsOrRunners)
{
    addClass(QStringLiteral("NoLegs"), 0, false, {{"P", {}}});
    addClass(QStringLiteral("NoRunners"), 5, true, {});
    for (QString name : {"NoLegs", "NoRunners"}) {
        ASSERT_TRUE(analyzeDetail(name));
        for (double x : everyNumber(ws())) EXPECT_TRUE(std::isfinite(x));
        EXPECT_EQ(basAnalyze::LegDifficulty(ws(), 2).Spread.count(), ws().AnaLegCount);
    }
    EXPECT_EQ(ws().AnaLegCount, 6);
}

}  // namespace
