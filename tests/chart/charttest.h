#pragma once
// The fixture of the chart tests: an empty race, and the class analysed.
#include "analysis/analyze.h"
#include "analysis/ui/testclasses.h"
#include "common/testsupport.h"
#include "race/race.h"

class ChartTest : public RaceTest {
protected:
    // The analysis of the class, kept as analysis() until the next call.
    const basAnalyze::AnalysisWorkspace& analyse(const QString& className)
    {
        EXPECT_TRUE(testRace().ClassList.contains(className));
        analysis_ = basAnalyze::AnalyzeClass(testRace(), className);
        return analysis_;
    }
    const basAnalyze::AnalysisWorkspace& analysis() const { return analysis_; }
    // Four runners 10, 20, 30 and 40 minutes a leg on one control and the finish leg: lines
    // far apart from each other.
    const basAnalyze::AnalysisWorkspace& spreadClass()
    {
        viewtest::addClass(QStringLiteral("H"), 1, true,
                           {{"Aoi", {"10:00", "10:00"}, "", "10:00:00"},
                            {"Ben", {"20:00", "20:00"}, "", "10:02:00"},
                            {"Cai", {"30:00", "30:00"}, "", "10:04:00"},
                            {"Dan", {"40:00", "40:00"}, "", "10:06:00"}});
        return analyse(QStringLiteral("H"));
    }

private:
    basAnalyze::AnalysisWorkspace analysis_;
};
