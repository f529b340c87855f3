#pragma once
// The result lists other programs exchange: IOF XML 3.0 and 2.0.3, OE CSV exports and
// SplitsBrowser CSV files are read; IOF XML 3.0 is written.
#include "lapfiles/readcontext.h"
#include "race/race.h"

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace basConvert {

// Reads the file when its content is one of the formats above, whatever its extension, and
// returns true with the result's code FileOk (header and classes filled) or FileFailed (broken,
// or no class in it, with the reason when one is known). Returns false, touching nothing, when
// the file is none of them. raceNumber chooses the race of a file of several (0: the first).
bool ReadInterchangeFile(const QString& path, RaceHeader& header, ClassCollection& classes,
                         ReadResult* result, int raceNumber = 0);

// The race as an IOF XML 3.0 result list in UTF-8.
QByteArray BuildIofXml(const RaceHeader& header, const ClassCollection& classes);

}  // namespace basConvert
