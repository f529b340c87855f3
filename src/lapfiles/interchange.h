#pragma once
// The result list other programs exchange that the program writes: IOF XML 3.0.
#include "race/race.h"

#include <QByteArray>

namespace basConvert {

// The race as an IOF XML 3.0 result list in UTF-8.
QByteArray BuildIofXml(const RaceHeader& header, const ClassCollection& classes);

}  // namespace basConvert
