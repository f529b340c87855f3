#pragma once
// What a save type other than the lap file cannot keep of a race, said before the file is
// written: the CSV layouts hold the runners' legs and totals only, an IOF XML result list no
// terrain and no remarks.
#include "lapfiles/raceformat.h"
#include "race/race.h"

#include <QStringList>

namespace basConvert {

// The parts of this race that the save type would lose, one text each; empty for the lap file
// and whenever the race holds nothing that would be lost.
QStringList SaveLosses(SaveType type, const RaceHeader& header, const ClassCollection& classes);

// The question asked before such a save (はい saves, いいえ does not); empty when nothing would
// be lost.
QString SaveLossQuestion(SaveType type, const RaceHeader& header, const ClassCollection& classes);

}  // namespace basConvert
