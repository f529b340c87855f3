#pragma once
// Classes for the view and chart tests, built straight through the race model.
#include "common/testsupport.h"
#include "race/race.h"

#include <QString>

#include <vector>

namespace viewtest {

// "m:ss" or "h:mm:ss" a time, "→" LapMerged, "n/a" LapMissing, "" LapAbsent.
inline double lap(const QString& text)
{
    if (text == QStringLiteral("→")) return LapMerged;
    if (text == QStringLiteral("n/a")) return LapMissing;
    if (text.isEmpty()) return LapAbsent;
    double seconds = 0;
    for (const QString& part : text.split(QLatin1Char(':')))
        seconds = seconds * 60 + part.toDouble();
    return seconds / 86400.0;
}

struct Runner {
    QString name;
    std::vector<QString> laps;
    QString club = QString();
    QString start = QString();  // time of day "h:mm:ss", empty for none
};

inline clsClassData& addClass(const QString& name, int controls, bool lastGoal,
                              const std::vector<Runner>& runners)
{
    clsClassData& cls = testRace().ClassList.add(name);
    cls.ClassControlCount = controls;
    cls.ClassLastGoalExist = lastGoal;
    for (const Runner& row : runners) {
        clsClassDataSub runner;
        runner.Namae = row.name;
        runner.Shozoku = row.club;
        if (!row.start.isEmpty()) runner.StartTime = lap(row.start);
        for (size_t l = 0; l < row.laps.size(); ++l) {
            runner.setLap(static_cast<int>(l) + 1, lap(row.laps[l]));
        }
        cls.Add(runner);
    }
    return cls;
}

// The class of the four runners whose analysis is worked through number by number: A, D, B, C
// in order of total; D has no split at control 1.
inline clsClassData& addWorkedExample(const QString& name, bool clubs)
{
    const QString club = clubs ? QStringLiteral("OLC") : QString();
    clsClassData& cls = addClass(name, 2, true,
                                 {{"A", {"4:00", "10:00", "1:00"}, club},
                                  {"B", {"5:00", "12:00", "1:30"}},
                                  {"C", {"4:30", "15:00", "1:14"}},
                                  {"D", {"→", "17:00", "1:22"}}});
    cls.ClassLength = 4500;
    cls.ClassUpHeight = 120;
    return cls;
}

}  // namespace viewtest
