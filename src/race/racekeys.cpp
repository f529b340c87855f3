#include "race/racekeys.h"

#include <array>

namespace OutputKeys {

void AddRaceHeader(KeyBuilder& key, const RaceHeader& race)
{
    key.add(race.RaceName)
        .add(race.hasDate() ? race.RaceDate.toJulianDay() : qint64(-1))
        .add(race.RacePlace)
        .add(race.RaceRemarks);
}

QByteArray ClassKey(const clsClassData& cls)
{
    KeyBuilder key;
    key.add(cls.ClassName)
        .add(cls.ClassLength)
        .add(cls.ClassUpHeight)
        .add(cls.ClassControlCount)
        .add(cls.ClassLastGoalExist)
        .add(cls.ClassRunnerCount());
    for (const clsClassDataSub& runner : cls.RunnersAsAdded()) {
        // Legs after the last one with a value hold 0 and are left out.
        int legs = MaxLegs;
        while (legs > 0 && runner.Lap(legs) == 0) --legs;
        std::array<double, MaxLegs> laps{};
        for (int l = 1; l <= legs; ++l) laps[l - 1] = runner.Lap(l);
        key.add(runner.Namae).add(runner.Shozoku).add(runner.Total).add(runner.StartTime);
        key.add(QByteArray::fromRawData(reinterpret_cast<const char*>(laps.data()),
                                        static_cast<qsizetype>(legs * sizeof(double))));
    }
    return key.key();
}

}  // namespace OutputKeys
