#pragma once
// The parts of the race that enter the keys of output files (outputkeys.h).
#include "race/outputkeys.h"
#include "race/race.h"

namespace OutputKeys {

// Name, date, place and remarks.
void AddRaceHeader(KeyBuilder& key, const RaceHeader& race);
// The key of a class: its header and every runner in the order they were added (which decides
// ties), with every leg value the runner holds. Outputs add it to their own keys.
QByteArray ClassKey(const clsClassData& cls);

}  // namespace OutputKeys
