#include "classbuilder.h"

#include <QStringList>

namespace analysistest {

double lapValue(const QString& text)
{
    if (text.isEmpty()) return LapAbsent;
    if (text == QStringLiteral("→")) return LapMerged;
    if (text == QStringLiteral("n/a")) return LapMissing;
    if (text.startsWith(QLatin1Char('-'))) return text.toDouble();
    double total = 0;
    for (const QString& part : text.split(QLatin1Char(':'))) total = total * 60 + part.toDouble();
    return seconds(total);
}

void addRunner(clsClassData& cls, const RunnerRow& row)
{
    clsClassDataSub runner;
    runner.Namae = row.name;
    runner.Shozoku = row.name + QStringLiteral("クラブ");
    int leg = 1;
    for (const QString& lap : row.laps) runner.setLap(leg++, lapValue(lap));
    if (!row.total.isEmpty()) runner.Total = lapValue(row.total);
    cls.Add(runner);
}

clsClassData& addClass(const QString& name, int controls, bool lastGoal,
                       std::initializer_list<RunnerRow> runners)
{
    clsClassData& cls = testRace().ClassList.add(name);
    cls.ClassControlCount = controls;
    cls.ClassLastGoalExist = lastGoal;
    for (const RunnerRow& row : runners) addRunner(cls, row);
    return cls;
}

int runnerIndex(const basAnalyze::AnalysisWorkspace& ws, const QString& name)
{
    for (int r = 1; r <= ws.AnaRunnerCount; ++r)
        if (ws.RunnerName(r) == name) return r;
    return 0;
}

}  // namespace analysistest
