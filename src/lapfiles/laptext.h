#pragma once
// The texts of leg, total and start times in lap files and the lap CSV layouts.
#include <QString>

#include <optional>

class clsClassData;
class clsClassDataSub;

namespace basConvert {

// "hh:nn:ss" for a leg time, "n/a" for LapMissing, "→" for LapMerged, "" for LapAbsent.
QString LapText(double lap);
// The total field of a runner with legCount legs: "hh:nn:ss" for a run within one day. An
// incomplete run (a total above one day) is written "0" when the legs give that total back
// (a day for each missing split); otherwise, as for a mispunched run whose every leg is known,
// as its time with the hours running on past a day ("24:35:07"), which ReadLongTotal reads.
QString TotalText(const clsClassDataSub& runner, int legCount);
// A total of a day or more written as hours beyond 24 ("24:35:07"); no value for other texts.
std::optional<double> ReadLongTotal(const QString& text);
// A time of day as "hh:nn:ss" (0 gives "00:00:00").
QString ClockText(double time);

// The status column: a class that holds a run whose status is not OK gets the column "状態"
// after its last leg (the total in the CSV layouts), and such a run the status's code there
// ("MP", "DNF", "DSQ", "DNS", "OT", "NC"); an OK run leaves it empty. Readers that do not know
// the column pass over it, so a race without such runs is written as it always was.
QString StatusHeading();
bool HasStatusColumn(const clsClassData& cls);
QString StatusFieldText(const clsClassDataSub& runner);

// Whether a saved lap file keeps the runner: a name, and a leg or a total that reads back as a
// time. Times are written in whole seconds within one day, so a time of whole days reads back
// as none, and a total of a day or more is written "0".
bool LapFileKeepsRunner(const clsClassDataSub& runner, int legCount);

}  // namespace basConvert
