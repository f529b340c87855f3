#pragma once
// The rules of the class editor that need no window: reading the numbers typed into its
// fields and the limits on the number of controls.
#include "race/classdata.h"

#include <QDate>
#include <QString>

#include <optional>

namespace basClassEdit {

// The whole number of a typed text: its leading decimal number rounded to the nearest integer,
// halves to the even neighbour ("1200m" 1200, "2.5" 2, "abc" 0).
int WholeNumber(const QString& text);

// The most controls a class can have: a runner holds MaxLegs legs, and the finish leg is one of
// them.
int MaxControls(bool lastGoalExist);

// Why an answer to the control-count question of a new class (which has its finish leg) is
// refused.
enum class ControlCountCheck { Accepted, OutOfRange, TooManyLegs };
struct ControlCountAnswer {
    ControlCountCheck check = ControlCountCheck::OutOfRange;
    int count = 0;  // the rounded count when accepted
};
// The leading number must be at least 1 (below that, or no number, the answer counts as no
// answer); a count that with the finish leg would need more legs than a runner holds is refused
// apart, so the editor can say why.
ControlCountAnswer CheckNewClassControls(const QString& answer);

// The message shown when a count is refused for having too many legs.
QString TooManyControlsMessage(bool lastGoalExist);

// The race date of a typed date text; a null date (no date) when it is no valid date.
QDate DateOfText(const QString& text);

}  // namespace basClassEdit
