#pragma once
// The number, date and time pictures used across the program, with the classic BASIC Format
// meaning: digit pictures round halves away from zero; "0" always prints a digit, "#" prints
// nothing for a leading or trailing zero ("##.#" gives "2." for 2 and "." for 0; "###" gives ""
// for 0.4); a time picture shows the time of day rounded to the nearest second.
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace CbasGeneral {

// Number pictures: "###", "##0", "#0.0", "##.#", "##0.0", "####", "00" and the like ("," in the
// integer part groups thousands; other characters before or after the digits are copied). A
// value that rounds to zero is shown without a sign. An empty picture gives the plain number.
QString FormatNumber(double value, const QString& picture);

// Date pictures: "yy", "yyyy", "yyyy/mm/dd", "yyyy年mm月dd日", "yy/mm/dd". A null date gives "".
QString FormatDate(const QDate& date, const QString& picture);

// The platform's short date form (yyyy/mm/dd, as on a Japanese desktop).
QString FormatShortDate(const QDate& date);

// Time pictures: "hh:nn:ss", "h:nn:ss", "nn:ss", "n:ss" (also "nn"; "m"/"mm" count as minutes,
// there being no months in a time). Only the time-of-day part of the value is shown (whole days
// are dropped), rounded to the nearest second; a negative value shows the time of its magnitude.
QString FormatTime(double value, const QString& picture);
// The same for a whole number of seconds (days dropped, sign ignored).
QString FormatTimeSeconds(long long seconds, const QString& picture);

// BASIC Format of a text with a time picture: a numeric text is read as a number of days, a
// text the date/time parser accepts is formatted as that time, anything else is returned as it is.
QString FormatTextAsTime(const QString& text, const QString& picture);
// As FormatTextAsTime, but no value for a text that is neither numeric nor a date or time.
std::optional<QString> TryFormatTextAsTime(QStringView text, const QString& picture);

}  // namespace CbasGeneral
