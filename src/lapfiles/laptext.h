#pragma once
// The texts of leg, total and start times in lap files and the lap CSV layouts.
#include <QString>

class clsClassDataSub;

namespace basConvert {

// "hh:nn:ss" for a leg time, "n/a" for LapMissing, "→" for LapMerged, "" for LapAbsent.
QString LapText(double lap);
// "0" for an incomplete run (a total above one day), otherwise "hh:nn:ss".
QString TotalText(double total);
// A time of day as "hh:nn:ss" (0 gives "00:00:00").
QString ClockText(double time);

// Whether a saved lap file keeps the runner: a name, and a leg or a total that reads back as a
// time. Times are written in whole seconds within one day, so a time of whole days reads back
// as none, and a total of a day or more is written "0".
bool LapFileKeepsRunner(const clsClassDataSub& runner, int legCount);

}  // namespace basConvert
