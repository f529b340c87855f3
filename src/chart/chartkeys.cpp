#include "chart/chartkeys.h"

#include "race/racekeys.h"

#include <QFontInfo>

namespace basChart {

QByteArray ChartImageKey(const RaceHeader& race, const QByteArray& classKey,
                         const ChartRequest& request, const QString& fileName)
{
    OutputKeys::KeyBuilder key;
    key.add(OutputKeys::ProgramKey()).add(QStringLiteral("chart")).add(fileName);
    OutputKeys::AddRaceHeader(key, race);
    key.add(classKey);
    key.add(static_cast<int>(request.mode)).add(request.scrollValue);
    for (int runner : request.chosen) key.add(runner);
    for (int runner : request.clicked) key.add(runner);
    // The font as asked for and as the fonts installed now resolve it.
    const QFontInfo resolved(request.font);
    key.add(request.font.toString()).add(resolved.family()).add(resolved.pixelSize());
    return key.key();
}

}  // namespace basChart
