// The analysis lists the runners as the class does, and only reads the class: several threads
// may analyse the same class at once and get the same analysis.
#include "classbuilder.h"

#include <future>
#include <random>
#include <vector>

using namespace analysistest;

namespace {

using RunnerOrder = AnalysisTest;

// Many equal totals, runs that are not OK (their totals above a day), missing splits (a day
// each) and runners without any time (total 0, first in the class).
clsClassData& mixedClass(std::mt19937& random)
{
    clsClassData& cls = addClass(QStringLiteral("Mixed"), 2, true, {});
    std::uniform_int_distribution<int> pick(0, 9);
    for (int i = 1; i <= 120; ++i) {
        clsClassDataSub runner;
        runner.Namae = QStringLiteral("R%1").arg(i);
        const int kind = pick(random);
        for (int l = 1; l <= 3; ++l) {
            double lap = seconds(60 + 10 * pick(random));  // ten values: many equal totals
            if (kind == 0)
                lap = LapAbsent;
            else if (kind == 1 && l == 2)
                lap = LapMissing;
            runner.setLap(l, lap);
        }
        if (kind == 2) runner.Status = RunStatus::Disqualified;
        cls.Add(runner);
    }
    return cls;
}

QStringList namesOf(const basAnalyze::AnalysisWorkspace& ws)
{
    return QStringList(ws.RunnerName.values().begin(), ws.RunnerName.values().end());
}

TEST_F(RunnerOrder, RunnersComeInTheOrderOfTheClass)
{
    std::mt19937 random(33);
    const clsClassData& cls = mixedClass(random);
    const basAnalyze::AnalysisWorkspace ws = basAnalyze::PrepareClass(cls);
    QStringList expected;
    for (int r = 1; r <= cls.ClassRunnerCount(); ++r) expected << cls.Item(r).Namae;
    EXPECT_EQ(namesOf(ws), expected);
    EXPECT_EQ(ws.AnaClassName, "Mixed");
}

TEST_F(RunnerOrder, ThreadsAnalysingOneClassAtOnceAgree)
{
    std::mt19937 random(34);
    const clsClassData& cls = mixedClass(random);
    std::vector<std::future<basAnalyze::AnalysisWorkspace>> runs;
    for (int i = 0; i < 4; ++i)
        runs.push_back(
            std::async(std::launch::async, [&cls] { return basAnalyze::AnalyzeClassDetail(cls); }));
    const basAnalyze::AnalysisWorkspace alone = basAnalyze::AnalyzeClassDetail(cls);
    for (std::future<basAnalyze::AnalysisWorkspace>& run : runs) {
        const basAnalyze::AnalysisWorkspace ws = run.get();
        EXPECT_EQ(namesOf(ws), namesOf(alone));
        EXPECT_EQ(ws.EstSumTime.legCount(), alone.EstSumTime.legCount());
        for (int r = 1; r <= alone.AnaRunnerCount; ++r) {
            EXPECT_EQ(ws.CruiseSpeed(r), alone.CruiseSpeed(r)) << r;
            EXPECT_EQ(ws.LateRelative(r), alone.LateRelative(r)) << r;
            for (int l = 1; l <= alone.AnaLegCount; ++l)
                EXPECT_EQ(ws.EstSumRank(r, l), alone.EstSumRank(r, l)) << r << " " << l;
        }
    }
}

}  // namespace
