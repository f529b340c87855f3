#pragma once
// The texts of leg, total and start times in lap files and the lap CSV layouts.
#include <QString>

namespace basConvert {

// "hh:nn:ss" for a leg time, "n/a" for LapMissing, "→" for LapMerged, "" for LapAbsent.
QString LapText(double lap);
// "0" for an incomplete run (a total above one day), otherwise "hh:nn:ss".
QString TotalText(double total);
// A time of day as "hh:nn:ss" (0 gives "00:00:00").
QString ClockText(double time);

}  // namespace basConvert
