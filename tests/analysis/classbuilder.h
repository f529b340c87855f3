#pragma once
// Builds classes of the race for the engine tests straight through the race model.
#include "analysis/analyze.h"
#include "common/testsupport.h"
#include "race/race.h"

#include <QString>

#include <initializer_list>
#include <utility>
#include <vector>

namespace analysistest {

// Leg texts: "m:ss" or "h:mm:ss" is a time, "→" LapMerged, "n/a" LapMissing, "" LapAbsent,
// "-3" any other negative mark (minus three days).
double lapValue(const QString& text);
// As the readers make them: seconds divided by the seconds of a day.
inline double seconds(double s)
{
    return s / 86400.0;
}

struct RunnerRow {
    QString name;
    std::vector<QString> laps;
    QString total = QString();  // empty: computed from the legs when the runner is added
};

// Adds a class with that many controls (and a finish leg when lastGoal) and its runners.
clsClassData& addClass(const QString& name, int controls, bool lastGoal,
                       std::initializer_list<RunnerRow> runners);
void addRunner(clsClassData& cls, const RunnerRow& row);

// Position of the runner of that name in the analysis (1-based), 0 when absent.
int runnerIndex(const basAnalyze::AnalysisWorkspace& ws, const QString& name);

// Time values of the analysis in seconds.
inline double inSeconds(double days)
{
    return days * 86400.0;
}

}  // namespace analysistest

// Fixture: an empty race for every test, and the analysis its test made last.
class AnalysisTest : public RaceTest {
protected:
    // The class of that name analysed by an entry point and kept as ws(); false when the race
    // holds no such class.
    bool prepare(const QString& name)
    {
        return keep(name, basAnalyze::PrepareClass(testRace(), name));
    }
    bool analyze(const QString& name)
    {
        return keep(name, basAnalyze::AnalyzeClass(testRace(), name));
    }
    bool analyzeDetail(const QString& name)
    {
        return keep(name, basAnalyze::AnalyzeClassDetail(testRace(), name));
    }
    const basAnalyze::AnalysisWorkspace& ws() const { return analysis_; }
    int runnerIndex(const QString& name) const { return analysistest::runnerIndex(ws(), name); }

private:
    bool keep(const QString& name, basAnalyze::AnalysisWorkspace analysis)
    {
        analysis_ = std::move(analysis);
        return testRace().ClassList.contains(name);
    }
    basAnalyze::AnalysisWorkspace analysis_;
};
