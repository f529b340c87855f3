#pragma once
// Time values (doubles counting days: 1 second = 1/86400) and their text forms.
#include <QDate>
#include <QString>
#include <QStringView>

#include <optional>

namespace CbasGeneral {

constexpr long long SecondsPerDay = 86400;
constexpr double OneSecond = 1.0 / SecondsPerDay;

// Seven-character column text of a leg or total time: 7 blanks for a day or more, otherwise
// "h:nn:ss", "nn:ss" or "n:ss" by size, signed, right-aligned (1:02:03, "  12:34", "   5:07").
QString FormatLapTime(double value);

// Normalises a typed or imported time text. durationMode reads bare digits from the right
// (seconds first), clock mode from the left (hours first). A text that is no time comes back
// trimmed and half-width but otherwise unchanged; the caller tests the result with ParseTime.
QString NormalizeTimeText(const QString& text, bool durationMode, const QString& picture);

// Whole seconds / minutes of the time-of-day part.
int TimeToSeconds(double value);
int TimeToMinutes(double value);

// Leg label: from-part (△ at the start), "→", to-part (◎ for the finish leg k = C + 1).
// Numbers below 10 are full-width digits, from 10 on half-width: C = 12 gives △→１, ８→９,
// ９→10, 12→◎.
QString LegLabel(int controlCount, bool fromFlag, int legNo);

// The date and time parser. ParseTime accepts h:mm, h:mm:ss and hh:mm:ss (one- or two-digit
// hours up to 23, one- or two-digit minutes and seconds below 60) and gives the time value;
// ParseDate accepts yyyy/mm/dd, yyyy/m/d and yyyy-mm-dd of a real calendar day. Surrounding
// half-width spaces are allowed; everything else is rejected.
std::optional<double> ParseTime(const QString& text);
std::optional<double> ParseTime(QStringView text);
std::optional<QDate> ParseDate(const QString& text);
std::optional<QDate> ParseDate(QStringView text);
bool IsDateOrTime(const QString& text);
// A race date as the short date forms of different machines write it: the forms of ParseDate,
// also with "." as separator and with two-digit years (00-29 are 2000-2029, 30-99 are
// 1930-1999), and "yyyy年m月d日". Anything else gives no value.
std::optional<QDate> ParseRaceDate(const QString& text);

// Seconds to a time value and back, rounding to the nearest whole second (halves up).
double SecondsToTime(double seconds);
long long RoundToSeconds(double value);

}  // namespace CbasGeneral
