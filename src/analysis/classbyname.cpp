// The entry points by class name, on the race given.
#include "analysis/analyze.h"
#include "race/racevalue.h"

namespace basAnalyze {

namespace {

template <typename EntryPoint>
AnalysisWorkspace byName(const Race& race, const QString& className, EntryPoint analyse)
{
    const clsClassData* cls = race.ClassList.find(className);
    AnalysisWorkspace ws = cls ? analyse(*cls) : AnalysisWorkspace();
    ws.AnaClassName = className;
    return ws;
}

}  // namespace

AnalysisWorkspace PrepareClass(const Race& race, const QString& className)
{
    return byName(race, className, [](const clsClassData& cls) { return PrepareClass(cls); });
}

AnalysisWorkspace AnalyzeClass(const Race& race, const QString& className)
{
    return byName(race, className, [](const clsClassData& cls) { return AnalyzeClass(cls); });
}

AnalysisWorkspace AnalyzeClassDetail(const Race& race, const QString& className)
{
    return byName(race, className, [](const clsClassData& cls) { return AnalyzeClassDetail(cls); });
}

}  // namespace basAnalyze
