// The entry points by class name, on the race held in memory.
#include "analysis/analyze.h"
#include "race/race.h"

namespace basAnalyze {

namespace {

template <typename EntryPoint>
AnalysisWorkspace byName(const QString& className, EntryPoint analyse)
{
    const clsClassData* cls = basDefinition::ClassList.find(className);
    AnalysisWorkspace ws = cls ? analyse(*cls) : AnalysisWorkspace();
    ws.AnaClassName = className;
    return ws;
}

}  // namespace

AnalysisWorkspace PrepareClass(const QString& className)
{
    return byName(className, [](const clsClassData& cls) { return PrepareClass(cls); });
}

AnalysisWorkspace AnalyzeClass(const QString& className)
{
    return byName(className, [](const clsClassData& cls) { return AnalyzeClass(cls); });
}

AnalysisWorkspace AnalyzeClassDetail(const QString& className)
{
    return byName(className, [](const clsClassData& cls) { return AnalyzeClassDetail(cls); });
}

}  // namespace basAnalyze
