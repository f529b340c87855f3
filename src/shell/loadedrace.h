#pragma once
// Whether a race is loaded at all. A race of nothing (no name, place, remarks, date or class) is
// no race: the main window shows its start panel for it, and it keeps no file and no unsaved
// change, whether a window shows it or a script runs without one.
#include "race/racedocument.h"

namespace basLoadedRace {

// Whether the race holds anything.
bool RaceIsLoaded(const Race& race);

// For a race of nothing, forgets its file and any unsaved change; any other race stays as it is.
void ForgetEmptyRace(RaceDocument& document);

}  // namespace basLoadedRace
