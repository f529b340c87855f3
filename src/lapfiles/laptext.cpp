#include "lapfiles/laptext.h"

#include "race/basicformat.h"
#include "race/classdata.h"

namespace basConvert {

QString ClockText(double time)
{
    return CbasGeneral::FormatTime(time, QStringLiteral("hh:nn:ss"));
}

QString LapText(double lap)
{
    if (lap > 0) return ClockText(lap);
    if (lap == LapMissing) return QStringLiteral("n/a");
    if (IsLapMerged(lap)) return QStringLiteral("→");
    return QString();
}

QString TotalText(double total)
{
    return total > 1 ? QStringLiteral("0") : ClockText(total);
}

}  // namespace basConvert
