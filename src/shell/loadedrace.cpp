#include "shell/loadedrace.h"

#include "race/race.h"
#include "race/racedocument.h"

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
    basDefinition::SharedDocument().setDataModified(false);
    basDefinition::SharedDocument().setCurrentFilePath(QString());
}

}  // namespace basLoadedRace
