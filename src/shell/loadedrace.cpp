#include "shell/loadedrace.h"

#include "race/race.h"

namespace basLoadedRace {

bool RaceIsLoaded()
{
    const RaceHeader& race = basDefinition::RaceInfo;
    return !(race.RaceRemarks + race.RaceName + race.RacePlace).isEmpty() || race.hasDate() ||
           !basDefinition::ClassList.isEmpty();
}

void ForgetEmptyRace()
{
    if (RaceIsLoaded()) return;
    basDefinition::DataModified = false;
    basDefinition::CurrentFilePath.clear();
}

}  // namespace basLoadedRace
