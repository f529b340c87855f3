#include "lapfiles/laptext.h"

#include "race/basicformat.h"
#include "race/classdata.h"
#include "race/racetime.h"
#include "race/textutil.h"

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

namespace {

bool readsBackAsTime(double time)
{
    return time > 0 && CbasGeneral::RoundToSeconds(time) % 86400 != 0;
}

}  // namespace

bool LapFileKeepsRunner(const clsClassDataSub& runner, int legCount)
{
    if (CbasGeneral::Trim(runner.Namae).isEmpty()) return false;
    if (runner.Total <= 1 && readsBackAsTime(runner.Total)) return true;
    for (int k = 1; k <= legCount; ++k)
        if (readsBackAsTime(runner.Lap(k))) return true;
    return false;
}

}  // namespace basConvert
