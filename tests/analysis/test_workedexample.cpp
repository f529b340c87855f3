// A class of four runners on three legs, one of whom has no split at control 1, checked
// number by number through the analysis.
#include "classbuilder.h"

using namespace analysistest;
using basAnalyze::AnalyzeClassDetail;

namespace {

constexpr double kRatio = 5e-5;  // four decimals
constexpr double kTime = 0.051;  // tenths of a second

class WorkedExample : public AnalysisTest {
protected:
    void SetUp() override
    {
        AnalysisTest::SetUp();
        addClass(QStringLiteral("M21"), 2, true,
                 {{"A", {"4:00", "10:00", "1:00"}},
                  {"B", {"5:00", "12:00", "1:30"}},
                  {"C", {"4:30", "15:00", "1:14"}},
                  {"D", {"→", "17:00", "1:22"}}});
        ASSERT_TRUE(analyzeDetail(QStringLiteral("m21")));  // case ignored
        a = runnerIndex("A");
        b = runnerIndex("B");
        c = runnerIndex("C");
        d = runnerIndex("D");
    }
    int a = 0, b = 0, c = 0, d = 0;
};

TEST_F(WorkedExample, HeaderOrderAndTotalRanks)
{
    EXPECT_EQ(ws().AnaClassName, "m21");
    EXPECT_EQ(ws().AnaLegCount, 3);
    EXPECT_EQ(ws().AnaControlCount, 2);
    EXPECT_EQ(ws().AnaRunnerCount, 4);
    EXPECT_EQ(a, 1);
    EXPECT_EQ(d, 2);
    EXPECT_EQ(b, 3);
    EXPECT_EQ(c, 4);
    for (int r = 1; r <= 4; ++r) EXPECT_EQ(ws().TotalRank(r), r);
    EXPECT_NEAR(inSeconds(ws().TotalTime(d)), 1102, 1e-6);
    EXPECT_EQ(ws().RunnerShozoku(d), "Dクラブ");
}

TEST_F(WorkedExample, StatesAndLegRanks)
{
    for (int r : {a, b, c})
        for (int l = 1; l <= 3; ++l) EXPECT_EQ(ws().LapState(r, l), 0);
    EXPECT_EQ(ws().LapState(d, 1), -1);
    EXPECT_EQ(ws().LapState(d, 2), 1);
    EXPECT_EQ(ws().LapState(d, 3), 0);
    EXPECT_EQ(ws().SumState(d, 1), -1);
    EXPECT_EQ(ws().SumState(d, 2), 0);
    EXPECT_EQ(ws().SumState(d, 3), 0);
    EXPECT_DOUBLE_EQ(ws().LapTime(d, 1), 0);  // the merge mark becomes 0

    const int ranks[3][4] = {{1, 0, 3, 2}, {1, 0, 2, 3}, {1, 3, 4, 2}};  // A, D, B, C
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(ws().LapRank(a, l), ranks[l - 1][0]) << "leg " << l;
        EXPECT_EQ(ws().LapRank(d, l), ranks[l - 1][1]) << "leg " << l;
        EXPECT_EQ(ws().LapRank(b, l), ranks[l - 1][2]) << "leg " << l;
        EXPECT_EQ(ws().LapRank(c, l), ranks[l - 1][3]) << "leg " << l;
    }
    EXPECT_NEAR(inSeconds(ws().SumTime(c, 2)), 1170, 1e-6);
    EXPECT_NEAR(inSeconds(ws().SumTime(c, 3)), 1244, 1e-6);
}

TEST_F(WorkedExample, TopAveragesAndWeights)
{
    EXPECT_NEAR(inSeconds(ws().TopAverage(1)), 270, 1e-6);
    EXPECT_NEAR(inSeconds(ws().TopAverage(2)), 740, 1e-6);
    EXPECT_NEAR(inSeconds(ws().TopAverage(3)), 72, 1e-6);
    EXPECT_NEAR(inSeconds(ws().TopTotal), 1082, 1e-6);
    EXPECT_NEAR(ws().LegWeight(1), 0.2495, kRatio);
    EXPECT_NEAR(ws().LegWeight(2), 0.6839, kRatio);
    EXPECT_NEAR(ws().LegWeight(3), 0.0665, kRatio);
}

TEST_F(WorkedExample, RatiosAndRelativeValues)
{
    const double ratios[4][3] = {{0.8889, 0.8108, 0.8333},
                                 {0, 1.0099, 1.1389},
                                 {1.1111, 0.9730, 1.2500},
                                 {1.0000, 1.2162, 1.0278}};
    const double relative[4] = {0.8318, 1.0185, 1.0259, 1.1497};
    const int runners[4] = {a, d, b, c};
    for (int i = 0; i < 4; ++i) {
        for (int l = 1; l <= 3; ++l)
            EXPECT_NEAR(ws().LapRatio(runners[i], l), ratios[i][l - 1], kRatio)
                << "runner " << i << " leg " << l;
        EXPECT_NEAR(ws().RelativeValue(runners[i]), relative[i], kRatio);
    }
}

TEST_F(WorkedExample, CruiseSpeeds)
{
    EXPECT_NEAR(ws().CruiseSpeed(a), 0.8108, kRatio);
    EXPECT_NEAR(inSeconds(ws().CruiseTime(a)), 877.3, kTime);
    EXPECT_NEAR(ws().CruiseSpeed(d), 1.0099, kRatio);
    EXPECT_NEAR(ws().CruiseSpeed(b), 0.9730, kRatio);
    EXPECT_NEAR(ws().CruiseSpeed(c), 1.1497, kRatio);
}

TEST_F(WorkedExample, MissTimes)
{
    struct Expected {
        int runner;
        double miss[3], total, rate, noMiss;
    };
    const Expected expected[] = {{a, {21.1, 0, 1.6}, 22.7, 0.0252, 877.3},
                                 {d, {0, 0, 9.3}, 9.3, 0.0084, 1092.7},
                                 {b, {37.3, 0, 19.9}, 57.2, 0.0516, 1052.8},
                                 {c, {-40.4, 49.2, -8.8}, 49.2, 0.0396, 1194.8}};
    for (const Expected& e : expected) {
        for (int l = 1; l <= 3; ++l)
            EXPECT_NEAR(inSeconds(ws().MissTime(e.runner, l)), e.miss[l - 1], kTime)
                << "runner " << e.runner << " leg " << l;
        EXPECT_NEAR(inSeconds(ws().MissTimeTotal(e.runner)), e.total, kTime);
        EXPECT_NEAR(ws().MissRate(e.runner), e.rate, kRatio);
        EXPECT_NEAR(inSeconds(ws().NoMissTime(e.runner)), e.noMiss, kTime);
    }
}

TEST_F(WorkedExample, EstimatedSplitsAndCumulativeRanks)
{
    EXPECT_NEAR(inSeconds(ws().EstLapTime(d, 1)), 272.7, kTime);
    EXPECT_NEAR(inSeconds(ws().EstLapTime(d, 2)), 747.3, kTime);
    EXPECT_NEAR(inSeconds(ws().EstSumTime(d, 1)), 272.7, kTime);
    EXPECT_NEAR(inSeconds(ws().EstSumTime(d, 2)), 1020, 1e-6);
    EXPECT_NEAR(inSeconds(ws().EstLapTime(d, 1) + ws().EstLapTime(d, 2)), 1020, 1e-6);

    EXPECT_EQ(ws().EstSumRank(a, 1), 1);
    EXPECT_EQ(ws().EstSumRank(c, 1), 2);
    EXPECT_EQ(ws().EstSumRank(d, 1), 3);
    EXPECT_EQ(ws().EstSumRank(b, 1), 4);
    EXPECT_EQ(ws().EstSumRank(a, 2), 1);
    EXPECT_EQ(ws().EstSumRank(d, 2), 2);
    EXPECT_EQ(ws().EstSumRank(b, 2), 2);
    EXPECT_EQ(ws().EstSumRank(c, 2), 4);
}

TEST_F(WorkedExample, ShortAndLongLegs)
{
    EXPECT_EQ(ws().ShortLegList(a), "83");
    EXPECT_EQ(ws().ShortLegList(d), "114");
    EXPECT_EQ(ws().ShortLegList(b), "125");
    EXPECT_EQ(ws().ShortLegList(c), "103");
    EXPECT_NEAR(ws().ShortLegRelative(b), 1.25, kRatio);
    EXPECT_EQ(ws().LongLegList(a), "81");
    EXPECT_EQ(ws().LongLegList(b), "97");
    EXPECT_EQ(ws().LongLegList(c), "122");
    EXPECT_EQ(ws().LongLegList(d), "");
    EXPECT_EQ(ws().LongLegRelative(d), 0);
    EXPECT_NEAR(ws().LongLegRelative(c), 1.2162, kRatio);
}

TEST_F(WorkedExample, Sections)
{
    EXPECT_NEAR(ws().EarlyRelative(a), 0.8317, kRatio);
    EXPECT_NEAR(ws().EarlyCruiseSpeed(a), 0.8108, kRatio);
    // The late section starts at leg 1 (one before leg 2, which reaches 60 %): all three legs.
    double weighted = 0.8889 * 0.2495 + 0.8108 * 0.6839 + 0.8333 * 0.0665;
    EXPECT_NEAR(ws().LateRelative(a), weighted / (0.2495 + 0.6839 + 0.0665), 2e-4);
    // Leg 2 alone covers more than a fifth: it is the late cruise speed too.
    EXPECT_NEAR(ws().LateCruiseSpeed(a), 0.8108, kRatio);
    // C's best items in the early section: leg 1 (weight 0.2495 > 0.2) alone.
    EXPECT_NEAR(ws().EarlyCruiseSpeed(c), 1.0, kRatio);
}

TEST_F(WorkedExample, AfterMissRelative)
{
    EXPECT_NEAR(ws().AfterMissRelative(a), 0.8108, kRatio);
    EXPECT_NEAR(ws().AfterMissRelative(b), 0.9730, kRatio);
    EXPECT_NEAR(ws().AfterMissRelative(c), 1.0278, kRatio);
    EXPECT_NEAR(ws().AfterMissRelative(d), 1.1389, kRatio);
}

TEST_F(WorkedExample, LegDifficulty)
{
    basAnalyze::LegDifficultyTable table = basAnalyze::LegDifficulty(ws(), 2);
    ASSERT_EQ(table.Spread.count(), 3);
    EXPECT_NEAR(table.Spread(1), 0.0291, kRatio);
    EXPECT_NEAR(table.Spread(2), 0.0186, kRatio);
    EXPECT_NEAR(table.Spread(3), 0.0063, kRatio);
    EXPECT_NEAR(table.Difficulty(1), 1.61, 0.005);
    EXPECT_NEAR(table.Difficulty(2), 1.03, 0.005);
    EXPECT_NEAR(table.Difficulty(3), 0.35, 0.005);
    EXPECT_NEAR(table.Difficulty(1) + table.Difficulty(2) + table.Difficulty(3), 3, 1e-5);
}

}  // namespace
