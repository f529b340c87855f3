#pragma once
// The punches of the result exports that list a runner per line, made into the runners' times
// at the controls of their class. The exports write a punch as the time since the runner's
// start, as a relay team's time since its start, or as a clock time; and they write either the
// whole course, or only some controls (radio controls), then with the control's place in the
// course or without it. All of that is decided over the lines of one class.
#include "lapfiles/importedrace.h"

#include <QString>

#include <optional>
#include <vector>

namespace basConvert {

struct ResultPunch {
    QString code;
    int number = 0;  // the control's place in the course as the line gives it; 0 = not given
    std::optional<double> time;
};

// One line of a result export: the runner as read, with its punches still as written.
struct ResultRow {
    QString className;
    int length = 0;
    int climb = 0;
    int controls = 0;  // the course's control count as the line gives it; 0 = not given
    ImportedRunner runner;
    std::vector<ResultPunch> punches;  // one per punch group of the line, in order
    std::optional<double> finish;      // the finish as the line writes it
    std::optional<double> overall;     // a relay team's time at the end of this member's leg
    // The runner's elapsed times are clock times from a zero the file does not give: only the
    // legs between two punched controls can be told.
    bool clockTimes = false;
};

// Fills the runners' elapsed times and, in step with them, the codes of their controls from
// the rows of one class, and returns the class's control count. Clock times of an unknown zero
// are left as they are, with clockTimes set, for LegsFromClockTimes once the controls of the
// runner's class are settled (a class may still be parted by the controls its runners visited).
int PlaceClassPunches(std::vector<ResultRow>& rows);

// The legs between two punched controls of the rows that hold clock times of an unknown zero,
// in a class of that many controls; their first and finish legs are unknown.
void LegsFromClockTimes(std::vector<ResultRow>& rows, int controls);

}  // namespace basConvert
