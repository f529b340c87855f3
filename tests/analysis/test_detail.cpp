// The detail measures (short and long legs, sections, after-miss) and the leg difficulty.
#include "analysis/percenttext.h"
#include "analysis/ranking.h"
#include "classbuilder.h"
#include "race/basicformat.h"
#include "race/sortdata.h"

#include <random>

using namespace analysistest;
using basAnalyze::AnalyzeClass;
using basAnalyze::AnalyzeClassDetail;
using basAnalyze::LegDifficulty;

namespace {

class Detail : public AnalysisTest {};

TEST_F(Detail, ShortAndLongLegBoundaries)
{
    // One runner: every top average is its own time and every ratio 1.
    addClass(QStringLiteral("B"), 4, true, {{"R", {"1:59", "2:00", "6:59", "7:00", "1:00"}}});
    ASSERT_TRUE(analyzeDetail(QStringLiteral("B")));
    EXPECT_EQ(ws().ShortLegList(1), "100 100");  // 1:59 and 1:00; 2:00 is not short
    EXPECT_EQ(ws().LongLegList(1), "100");       // 7:00 is long, 6:59 is not
    EXPECT_FLOAT_EQ(ws().ShortLegRelative(1), 1.0f);
    EXPECT_FLOAT_EQ(ws().LongLegRelative(1), 1.0f);
}

TEST_F(Detail, ShownRatiosKeepSinglePrecision)
{
    // 66 s against a top average of 80 s is 0.825: in single precision x 100 is 82.5, shown 83.
    addClass(QStringLiteral("S"), 1, false, {{"P", {"1:06"}}, {"Q", {"1:34"}}});
    ASSERT_TRUE(analyzeDetail(QStringLiteral("S")));
    int p = runnerIndex("P");
    EXPECT_FLOAT_EQ(ws().LapRatio(p, 1), 0.825f);
    EXPECT_EQ(ws().ShortLegList(p), "83");
    EXPECT_EQ(ws().ShortLegList(runnerIndex("Q")), "117");  // 1.175 is 117.49999 x 100
}

class Sections : public Detail {
protected:
    // Top averages 100, 100, 300 and 500 s: weights 0.1, 0.1, 0.3, 0.5, so the early section
    // is legs 1..3 (0.5 at leg 3) and the late section legs 3..4 (1.0 at leg 4).
    void SetUp() override
    {
        Detail::SetUp();
        addClass(QStringLiteral("W"), 4, false,
                 {{"Ref1", {"1:40", "1:40", "5:00", "8:20"}},
                  {"Ref2", {"1:40", "1:40", "5:00", "8:20"}},
                  {"Ref3", {"1:40", "1:40", "5:00", "8:20"}},
                  {"X", {"1:50", "1:55", "6:00", "11:40"}},  // 1.1, 1.15, 1.2, 1.4
                  {"Last", {"→", "→", "→", "30:00"}}});
        ASSERT_TRUE(analyzeDetail(QStringLiteral("W")));
        x = runnerIndex("X");
    }
    int x = 0;
};

TEST_F(Sections, RelativeValuesWeighTheLegsOfEachSection)
{
    EXPECT_NEAR(ws().EarlyRelative(x), (1.1 * 0.1 + 1.15 * 0.1 + 1.2 * 0.3) / 0.5, 1e-6);
    EXPECT_NEAR(ws().LateRelative(x), (1.2 * 0.3 + 1.4 * 0.5) / 0.8, 1e-6);
}

TEST_F(Sections, SectionCruiseSpeedNeedsMoreThanAFifth)
{
    // Legs 1 and 2 reach exactly 0.2, which is not enough: leg 3 is taken as well.
    EXPECT_NEAR(ws().EarlyCruiseSpeed(x), (1.1 * 0.1 + 1.15 * 0.1 + 1.2 * 0.3) / 0.5, 1e-6);
    EXPECT_NEAR(ws().LateCruiseSpeed(x), 1.2, 1e-6);
}

TEST_F(Sections, AfterMissRelative)
{
    // The worst leg is the last one: the leg after the second worst (leg 3) is reported.
    EXPECT_NEAR(ws().AfterMissRelative(x), 1.4, 1e-6);
    // A single item on the last leg gives nothing.
    int last = runnerIndex("Last");
    ASSERT_EQ(ws().LapState(last, 4), 1);
    EXPECT_EQ(ws().AfterMissRelative(last), 0);
    // The merged time's estimated share counts as a section item.
    EXPECT_NEAR(ws().LateRelative(last), 1800.0 / 1000, 1e-5);
}

TEST_F(Detail, LateSectionNeverStartsBeforeLegOne)
{
    // Leg 1 holds 60 % of the course: both sections start there.
    addClass(QStringLiteral("L"), 3, true,
             {{"Ref", {"6:00", "1:00", "1:00", "2:00"}}, {"Y", {"7:12", "1:30", "1:00", "2:00"}}});
    ASSERT_TRUE(analyzeDetail(QStringLiteral("L")));
    int y = runnerIndex("Y");
    // Tops are the means of both runners: 6:36, 1:15, 1:00, 2:00.
    double tops[] = {396, 75, 60, 120}, times[] = {432, 90, 60, 120};
    double weighted = 0, weight = 0;
    for (int l = 0; l < 4; ++l) {
        weighted += times[l] / tops[l] * tops[l];
        weight += tops[l];
    }
    EXPECT_NEAR(ws().EarlyRelative(y), 432.0 / 396, 1e-6);
    EXPECT_NEAR(ws().LateRelative(y), weighted / weight, 1e-6);
    // Worst leg 2 (1.2): the leg after it, leg 3, is reported.
    EXPECT_NEAR(ws().AfterMissRelative(y), 1.0, 1e-6);
}

TEST_F(Detail, AnalyzeClassLeavesTheDetailMeasuresEmpty)
{
    addClass(QStringLiteral("B"), 1, true, {{"R", {"1:00", "8:00"}}});
    ASSERT_TRUE(analyzeDetail(QStringLiteral("B")));
    ASSERT_EQ(ws().ShortLegList(1), "100");
    ASSERT_TRUE(analyze(QStringLiteral("B")));
    EXPECT_EQ(ws().ShortLegList(1), "");
    EXPECT_EQ(ws().LongLegRelative(1), 0);
}

class Difficulty : public Detail {
protected:
    // Two runners: the sample admits leg rank 1 only (rank < 1.6). Q's total is no result,
    // so legs 2 and 3, which Q wins, have an empty sample.
    void SetUp() override
    {
        Detail::SetUp();
        addClass(QStringLiteral("D"), 2, true,
                 {{"P", {"1:00", "2:00", "3:10"}}, {"Q", {"1:10", "1:50", "3:00"}, "25:00:00"}});
        ASSERT_TRUE(analyze(QStringLiteral("D")));
        ASSERT_GT(ws().CruiseSpeed(runnerIndex("P")), 0);
    }
};

TEST_F(Difficulty, SampleOfOneWithTheLegViewRule)
{
    basAnalyze::LegDifficultyTable t = LegDifficulty(ws(), 1);
    EXPECT_EQ(t.Spread(1), 0);  // exactly: S x S and Q agree in single precision
    EXPECT_EQ(t.Spread(2), 1);
    EXPECT_EQ(t.Spread(3), 1);
    EXPECT_FLOAT_EQ(t.Difficulty(1), 0);
    EXPECT_FLOAT_EQ(t.Difficulty(2), 1.5f);
    EXPECT_FLOAT_EQ(t.Difficulty(3), 1.5f);
}

TEST_F(Difficulty, SampleOfOneWithTheHtmlRule)
{
    basAnalyze::LegDifficultyTable t = LegDifficulty(ws(), 2);
    for (int l = 1; l <= 3; ++l) {
        EXPECT_EQ(t.Spread(l), 1);
        EXPECT_FLOAT_EQ(t.Difficulty(l), 1);
    }
}

TEST(Ranking, OrdersAndRanksLikeSortData)
{
    std::mt19937 random(7);
    std::uniform_int_distribution<int> values(-12, 40);  // many ties, a few negatives
    // Small sets take the comparison sort, large ones the radix sort.
    for (int n : {0, 1, 2, 3, 5, 16, 17, 40, 47, 48, 49, 100, 200, 333}) {
        SortData sorted;
        basAnalyze::Ranking ranking;
        std::vector<double> added;
        for (int k = 1; k <= n; ++k) {
            double v = values(random) / 4.0 + (k % 3 == 0 ? 1e-9 * k : 0);
            if (v == 0 && k % 2 == 0) v = -0.0;  // equal to +0
            sorted.Add(v, QString::number(k));
            ranking.add(v, k);
            added.push_back(v);
        }
        sorted.Calc();
        ranking.calc();
        ASSERT_EQ(ranking.count(), sorted.Count());
        for (int p = 1; p <= n; ++p) {
            ASSERT_EQ(QString::number(ranking.at(p).key), sorted.Key(p)) << n << " at " << p;
            ASSERT_EQ(ranking.at(p).value, sorted.Value(p));
            ASSERT_EQ(ranking.at(p).rank, sorted.RankOrder(sorted.Key(p)));
        }
        // Single-precision values of the same kind, as the cruise walks sort them.
        SortData singles;
        basAnalyze::FloatOrder floats;
        for (int k = 1; k <= n; ++k) {
            float f = static_cast<float>(added[k - 1]);
            singles.Add(f, QString::number(k));
            floats.add(f, k);
        }
        floats.sort();
        ASSERT_EQ(floats.count(), n);
        for (int p = 1; p <= n; ++p) ASSERT_EQ(QString::number(floats.key(p)), singles.Key(p));

        basAnalyze::LastTwo lastTwo;
        for (int k = 1; k <= n; ++k) lastTwo.add(added[k - 1], k);
        EXPECT_EQ(lastTwo.last, n >= 1 ? sorted.Key(n).toInt() : 0);
        EXPECT_EQ(lastTwo.beforeLast, n >= 2 ? sorted.Key(n - 1).toInt() : 0);
    }
}

}  // namespace

namespace {

TEST(PercentText, SameTextAsTheNumberPicture)
{
    std::mt19937 random(11);
    std::uniform_real_distribution<float> ratios(0.0f, 3.0f);
    std::vector<float> samples{0.0f,   0.004f, 0.005f, 0.00499999f, 0.825f, 1.175f,
                               0.015f, 1.005f, 2.5f,   123456.78f,  3e30f};
    for (int i = 0; i < 20000; ++i) samples.push_back(ratios(random));
    for (int half = 0; half < 400; ++half) samples.push_back((half + 0.5f) / 100.0f);
    for (float ratio : samples) {
        const QString expected =
            CbasGeneral::FormatNumber(basAnalyze::Percent(ratio), QStringLiteral("###"));
        ASSERT_EQ(basAnalyze::PercentText(ratio), expected) << ratio;
        QString appended = QStringLiteral("x");
        basAnalyze::AppendPercentText(appended, ratio);
        ASSERT_EQ(appended, QStringLiteral("x") + expected) << ratio;
    }
}

}  // namespace
