#include "race/racetime.h"

#include "race/basicformat.h"
#include "race/textutil.h"

#include <cmath>
#include <cstdlib>

namespace CbasGeneral {

namespace {

constexpr int kLapTimeWidth = 7;

// Rounds a number of seconds half up. The tiny allowance absorbs the error of values such as
// 5.0 / 86400 * 86400 that land just below a whole or half second.
long long roundSecondsHalfUp(double seconds)
{
    if (!std::isfinite(seconds)) return 0;
    const double limit = 9.0e15;  // stays exact and inside long long
    if (seconds > limit) seconds = limit;
    if (seconds < -limit) seconds = -limit;
    return static_cast<long long>(std::floor(seconds + 0.5 + 1e-7));
}

// Reads one to maxDigits ASCII digits at pos; -1 when there are none or too many.
int readNumber(QStringView text, qsizetype& pos, int maxDigits)
{
    int value = 0;
    int digits = 0;
    while (pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9') {
        if (++digits > maxDigits) return -1;
        value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
    }
    return digits == 0 ? -1 : value;
}

// Full-width digits below 10, half-width from 10 on: the form of the leg labels.
QString legNumber(int n)
{
    if (n >= 0 && n <= 9) return QString(QChar(char16_t(0xFF10 + n)));
    return QString::number(n);
}

}  // namespace

QString FormatLapTime(double value)
{
    if (value >= 1.0) return QString(kLapTimeWidth, u' ');
    const bool negative = value < 0;
    // Round first, so that 59:59.6 becomes 1:00:00 and not "00:00" with the minutes picture.
    const long long seconds = roundSecondsHalfUp(std::fabs(value) * SecondsPerDay);
    const long long hours = seconds / 3600;
    QString text;
    if (negative && seconds > 0) text = QStringLiteral("-");
    if (hours > 0) {
        // Whole hours beyond the day are kept: a lap time is a duration, not a time of day.
        text += QString::number(hours) + u':' +
                FormatTimeSeconds(seconds % 3600, QStringLiteral("nn:ss"));
    } else {
        text += FormatTimeSeconds(
            seconds, seconds >= 600 ? QStringLiteral("nn:ss") : QStringLiteral("n:ss"));
    }
    // Longer texts (ten hours or more) are kept whole rather than losing their last digit.
    if (text.size() >= kLapTimeWidth) return text;
    return FitWidth(text, kLapTimeWidth, true, true);
}

int TimeToSeconds(double value)
{
    return static_cast<int>(RoundToSeconds(std::fabs(value)) % SecondsPerDay);
}

int TimeToMinutes(double value)
{
    return TimeToSeconds(value) / 60;
}

QString LegLabel(int controlCount, bool fromFlag, int legNo)
{
    QString label;
    if (fromFlag) label = legNo == 1 ? QStringLiteral("△") : legNumber(legNo - 1);
    label += QStringLiteral("→");
    label += legNo == controlCount + 1 ? QStringLiteral("◎") : legNumber(legNo);
    return label;
}

std::optional<double> ParseTime(const QString& text)
{
    return ParseTime(QStringView(text));
}

std::optional<double> ParseTime(QStringView text)
{
    const QStringView s = TrimBlanks(text);
    qsizetype pos = 0;
    int fields[3] = {0, 0, 0};
    int count = 0;
    while (count < 3) {
        const int value = readNumber(s, pos, 2);
        if (value < 0) return std::nullopt;
        fields[count++] = value;
        if (pos == s.size()) break;
        if (s[pos] != u':') return std::nullopt;
        ++pos;
    }
    if (pos != s.size() || count < 2) return std::nullopt;
    if (fields[0] > 23 || fields[1] > 59 || fields[2] > 59) return std::nullopt;
    return (fields[0] * 3600 + fields[1] * 60 + fields[2]) / double(SecondsPerDay);
}

std::optional<QDate> ParseDate(const QString& text)
{
    return ParseDate(QStringView(text));
}

std::optional<QDate> ParseDate(QStringView text)
{
    const QStringView s = TrimBlanks(text);
    qsizetype pos = 0;
    const qsizetype yearStart = pos;
    const int year = readNumber(s, pos, 4);
    if (year < 0 || pos - yearStart != 4 || pos == s.size()) return std::nullopt;
    const QChar separator = s[pos];
    if (separator != u'/' && separator != u'-') return std::nullopt;
    ++pos;
    const int month = readNumber(s, pos, 2);
    if (month < 0 || pos == s.size() || s[pos] != separator) return std::nullopt;
    ++pos;
    const int day = readNumber(s, pos, 2);
    if (day < 0 || pos != s.size()) return std::nullopt;
    const QDate date(year, month, day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

std::optional<QDate> ParseRaceDate(const QString& text)
{
    const QStringView s = TrimBlanks(QStringView(text));
    qsizetype pos = 0;
    const int year = readNumber(s, pos, 4);
    const qsizetype yearDigits = pos;
    if (year < 0 || (yearDigits != 2 && yearDigits != 4) || pos == s.size()) return std::nullopt;
    const QChar separator = s[pos++];
    const bool kanji = separator == u'年';
    if (kanji ? yearDigits != 4 : separator != u'/' && separator != u'-' && separator != u'.')
        return std::nullopt;
    const QChar afterMonth = kanji ? QChar(u'月') : separator;
    const int month = readNumber(s, pos, 2);
    if (month < 0 || pos == s.size() || s[pos++] != afterMonth) return std::nullopt;
    const int day = readNumber(s, pos, 2);
    if (day < 0) return std::nullopt;
    if (kanji && (pos == s.size() || s[pos++] != u'日')) return std::nullopt;
    if (pos != s.size()) return std::nullopt;
    const int fullYear = yearDigits == 4 ? year : year < 30 ? 2000 + year : 1900 + year;
    const QDate date(fullYear, month, day);
    if (!date.isValid()) return std::nullopt;
    return date;
}

bool IsDateOrTime(const QString& text)
{
    return ParseTime(text).has_value() || ParseDate(text).has_value();
}

double SecondsToTime(double seconds)
{
    return static_cast<double>(roundSecondsHalfUp(seconds)) / SecondsPerDay;
}

long long RoundToSeconds(double value)
{
    return roundSecondsHalfUp(value * SecondsPerDay);
}

}  // namespace CbasGeneral
