#pragma once
// The program's own lap file (".lap"): "$" header keys, then one table block per class.
#include "lapfiles/readcontext.h"
#include "race/race.h"

#include <QString>
#include <QStringList>

namespace basConvert {

// A ".lap" path whose first stored line reads "$LAPFILE Ver=2" (spaces and letter case aside).
bool IsLapFile(const QString& path, const QString& firstLine);

// Position (0-based) of the first stored line that does not begin with "$": the first
// column-header line. The number of stored lines when there is none.
int FirstTableLine(const QStringList& lines);

// The key of a class without runners that has the leg to the finish: "$フィニッシュ区間:" +
// class name + "=1". Older readers pass over it, as over every key they do not know.
inline const QString FinishLegKey = QStringLiteral("$フィニッシュ区間:");

// The "$" keys of lines 0 .. endLine-1: race name, date, place and remarks (each all after the
// first "="), and per class the length, climb and control count, and the finish leg of a class
// without runners. A class named only here is created; when the keys name every class, the
// classes take the order of the keys.
void ReadHeaderKeys(const QStringList& lines, int endLine, RaceHeader& header,
                    ClassCollection& classes);

// Reads the lap file in the context's lines into header and classes. False when the file describes
// legs outside 1..MaxLegs (a leg label, or a control count too large for the legs a runner holds).
[[nodiscard]] bool ReadLapFile(ReadContext& context, RaceHeader& header, ClassCollection& classes);

// The lines of the lap file of the race (without line ends).
QStringList BuildLapLines(const RaceHeader& header, const ClassCollection& classes);

}  // namespace basConvert
