#pragma once
// The key of a chart image (race/outputkeys.h): what the picture of a class is drawn from, so
// that a batch can leave out the classes whose images in the folder are current.
#include "chart/drawchart.h"
#include "race/race.h"

#include <QByteArray>
#include <QString>

namespace basChart {

// The program, the race header, the class (its ClassKey), the request it is drawn for (mode,
// runners chosen and clicked, scroll position, the font and the font it resolves to) and the
// file's path.
QByteArray ChartImageKey(const RaceHeader& race, const QByteArray& classKey,
                         const ChartRequest& request, const QString& fileName);

}  // namespace basChart
