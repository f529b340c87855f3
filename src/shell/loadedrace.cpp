#include "shell/loadedrace.h"

namespace basLoadedRace {

bool RaceIsLoaded(const Race& race)
{
    const RaceHeader& header = race.RaceInfo;
    return !(header.RaceRemarks + header.RaceName + header.RacePlace).isEmpty() ||
           header.hasDate() || !race.ClassList.isEmpty();
}

void ForgetEmptyRace(RaceDocument& document)
{
    if (RaceIsLoaded(document.race())) return;
    document.setDataModified(false);
    document.setCurrentFilePath(QString());
}

}  // namespace basLoadedRace
