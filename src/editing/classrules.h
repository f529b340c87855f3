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

// The metres of a course length or climb as typed: a whole number, optionally followed by "m"
// (blanks and full-width forms allowed); an empty text is 0 (unknown). No value for anything
// else ("3.2km", "72.5", "abc", "-5"), which the editor refuses.
std::optional<int> MetresOfText(const QString& text);

// The message that refuses a typed length or climb ("距離" or "登距離"), naming what was typed.
QString MetresMessage(const QString& field, const QString& typed);

// Why an answer to the control-count question of a new class (which has its finish leg) is
// refused: no answer at all (said nothing), not a whole number, below 1, or more controls than
// the legs a runner holds can take with the finish leg.
enum class ControlCountCheck { Accepted, Empty, NotWhole, OutOfRange, TooManyLegs };
struct ControlCountAnswer {
    ControlCountCheck check = ControlCountCheck::Empty;
    int count = 0;  // the count when accepted
};
ControlCountAnswer CheckNewClassControls(const QString& answer);

// The message for a refused answer (empty for Accepted and Empty).
QString ControlCountMessage(const ControlCountAnswer& answer, const QString& typed);

// The message shown when a count is refused for having too many legs.
QString TooManyControlsMessage(bool lastGoalExist);

// The race date of a typed date text; a null date (no date) when it is no valid date.
QDate DateOfText(const QString& text);

}  // namespace basClassEdit
