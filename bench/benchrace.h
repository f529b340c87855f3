#pragma once
// Generated classes for the benchmarks: 30 legs (29 controls and the finish) unless told,
// plausible leg times and about one merged and one missing split in a hundred, as real races
// have.
#include "race/race.h"
#include "race/racedocument.h"

#include <QString>

#include <cmath>
#include <random>

// The document of the race the benchmarks build and measure, and that race.
inline RaceDocument& BenchDocument()
{
    static RaceDocument document;
    return document;
}

inline Race& BenchRace()
{
    return BenchDocument().raceToFill();
}

struct GeneratedClass {
    QString name;
    int runners = 200;
    int legs = 30;                // the controls and the finish
    int longestLegSeconds = 600;  // the fastest time of a leg lies between 40 s and this
    bool withStartTimes = false;  // starts from 10:00 over two hours
    QString runnerName = QStringLiteral("Runner %1");  // %1 is the runner number
};

inline void AddGeneratedClass(const GeneratedClass& shape, std::mt19937& random)
{
    std::uniform_real_distribution<double> speed(0.85, 1.6);
    std::uniform_int_distribution<int> legBase(40, shape.longestLegSeconds);
    std::uniform_int_distribution<int> oddity(0, 99);
    std::uniform_int_distribution<int> startMinute(0, 120);
    clsClassData& cls = BenchRace().ClassList.add(shape.name);
    cls.ClassControlCount = shape.legs - 1;
    cls.ClassLastGoalExist = true;
    int base[MaxLegs + 1];
    for (int l = 1; l <= shape.legs; ++l) base[l] = legBase(random);
    for (int i = 1; i <= shape.runners; ++i) {
        clsClassDataSub runner;
        runner.Namae = shape.runnerName.arg(i);
        runner.Shozoku = QStringLiteral("Club %1").arg(i % 17);
        if (shape.withStartTimes)
            runner.StartTime = (10 * 3600 + 60 * startMinute(random)) / 86400.0;
        const double pace = speed(random);
        for (int l = 1; l <= shape.legs; ++l) {
            const int odd = oddity(random);
            double lap = std::round(base[l] * pace * speed(random)) / 86400.0;
            if (odd == 0) lap = LapMerged;
            if (odd == 1 && l < shape.legs) lap = LapMissing;
            runner.setLap(l, lap);
        }
        cls.Add(runner);
    }
}

// The race of a live event: 50 classes of 47 to 63 runners, 2,750 in all, with start times and
// Japanese names. With its 206 header and class lines its lap file stays within the 3,000 lines
// a race file may have.
inline void AddLiveRace(std::mt19937& random)
{
    for (int c = 1; c <= 50; ++c) {
        GeneratedClass shape;
        shape.name = QStringLiteral("M%1").arg(c);
        shape.runners = 47 + (c % 5) * 4;
        shape.runnerName = QStringLiteral("山田 太郎%1");
        shape.withStartTimes = true;
        AddGeneratedClass(shape, random);
    }
}
