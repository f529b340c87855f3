#include "race/basicformat.h"

#include "race/racetime.h"
#include "race/textutil.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace CbasGeneral {

namespace {

bool isDigitPlaceholder(QChar c)
{
    return c == u'0' || c == u'#';
}

bool isNumberPictureChar(QChar c)
{
    return isDigitPlaceholder(c) || c == u'.' || c == u',';
}

// The decimal digits of |value| rounded half away from zero to `decimals` places, read from
// its 15 significant digits (as BASIC does, so 2.675 rounds to 2.68 although the double is a
// little below it). Returns the integer digits without leading zeros ("" for zero) and exactly
// `decimals` fraction digits.
void roundedDigits(double value, int decimals, std::string& integer, std::string& fraction)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.14e", std::fabs(value));
    std::string digits;
    digits.push_back(buffer[0]);
    digits.append(buffer + 2, 14);
    int exponent = std::atoi(buffer + 17);  // value = 0.d1d2... x 10^(exponent + 1)
    if (value == 0.0) exponent = 0, digits.assign(15, '0');

    // Digits of the result, counting from the first significant digit of the value.
    int kept = exponent + 1 + decimals;
    std::string result;
    if (kept >= 0) {
        result = digits.substr(0, std::min<size_t>(kept, digits.size()));
        if (result.size() < static_cast<size_t>(kept)) result.append(kept - result.size(), '0');
        if (static_cast<size_t>(kept) < digits.size() && digits[kept] >= '5') {
            int i = kept - 1;
            while (i >= 0 && result[i] == '9') result[i--] = '0';
            if (i >= 0)
                ++result[i];
            else
                result.insert(result.begin(), '1'), ++exponent;
        }
    }
    // result holds the digits from 10^exponent down to 10^-decimals; pad to cover 10^0.
    const int integerDigits = exponent + 1;
    if (integerDigits <= 0) {
        integer.clear();
        std::string zeros(static_cast<size_t>(std::min(-integerDigits, decimals)), '0');
        fraction = (zeros + result).substr(0, decimals);
        if (fraction.size() < static_cast<size_t>(decimals))
            fraction.append(decimals - fraction.size(), '0');
    } else {
        integer = result.substr(0, integerDigits);
        fraction = result.substr(integerDigits);
    }
    size_t firstNonZero = integer.find_first_not_of('0');
    integer = firstNonZero == std::string::npos ? std::string() : integer.substr(firstNonZero);
}

QString groupThousands(const std::string& digits)
{
    QString out;
    const int n = static_cast<int>(digits.size());
    for (int i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0) out += u',';
        out += QChar(digits[i]);
    }
    return out;
}

}  // namespace

QString FormatNumber(double value, const QString& picture)
{
    if (!std::isfinite(value)) return QString::number(value);
    qsizetype begin = 0;
    while (begin < picture.size() && !isNumberPictureChar(picture[begin])) ++begin;
    qsizetype end = begin;
    while (end < picture.size() && isNumberPictureChar(picture[end])) ++end;
    if (begin == end) return picture + QString::number(value, 'g', 15);

    const QStringView number = QStringView(picture).mid(begin, end - begin);
    const qsizetype point = number.indexOf(u'.');
    const QStringView integerPicture = point < 0 ? number : number.left(point);
    const QStringView fractionPicture = point < 0 ? QStringView() : number.mid(point + 1);
    QString fractionPlaces;  // the placeholders after the point, "0" or "#"
    for (QChar c : fractionPicture)
        if (isDigitPlaceholder(c)) fractionPlaces += c;

    std::string integer, fraction;
    roundedDigits(value, static_cast<int>(fractionPlaces.size()), integer, fraction);

    // "0" from its position to the point forces a digit; "#" shows only significant digits.
    int forced = 0;
    bool seenZero = false;
    for (QChar c : integerPicture) {
        if (c == u'0') seenZero = true;
        if (seenZero && isDigitPlaceholder(c)) ++forced;
    }
    if (static_cast<int>(integer.size()) < forced) integer.insert(0, forced - integer.size(), '0');
    // Trailing zeros in "#" places are dropped.
    while (!fraction.empty() && fraction.back() == '0' &&
           fractionPlaces[fraction.size() - 1] == u'#')
        fraction.pop_back();

    const bool isZero = integer.find_first_not_of('0') == std::string::npos &&
                        fraction.find_first_not_of('0') == std::string::npos;
    QString text = picture.left(begin);
    if (value < 0 && !isZero) text += u'-';
    text += integerPicture.contains(u',') ? groupThousands(integer)
                                          : QString::fromLatin1(integer.data(), integer.size());
    if (point >= 0) text += u'.' + QString::fromLatin1(fraction.data(), fraction.size());
    text += QStringView(picture).mid(end);
    return text;
}

QString FormatDate(const QDate& date, const QString& picture)
{
    if (!date.isValid()) return QString();
    QString out;
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar c = picture[i].toLower();
        qsizetype run = 1;
        while (i + run < picture.size() && picture[i + run].toLower() == c) ++run;
        if (c == u'y') {
            if (run >= 4) {
                out += QString::number(date.year()).rightJustified(4, u'0');
                run = 4;
            } else if (run >= 2) {
                out += QString::number(date.year() % 100).rightJustified(2, u'0');
                run = 2;
            } else {
                out += QString::number(date.dayOfYear());
            }
        } else if (c == u'm' || c == u'd') {
            const int part = c == u'm' ? date.month() : date.day();
            run = std::min<qsizetype>(run, 2);
            out += run == 2 ? QString::number(part).rightJustified(2, u'0') : QString::number(part);
        } else {
            out += picture.mid(i, run);
        }
        i += run;
    }
    return out;
}

QString FormatShortDate(const QDate& date)
{
    return FormatDate(date, QStringLiteral("yyyy/mm/dd"));
}

QString FormatTimeSeconds(long long seconds, const QString& picture)
{
    seconds = std::llabs(seconds) % SecondsPerDay;
    const int parts[3] = {static_cast<int>(seconds / 3600), static_cast<int>(seconds / 60 % 60),
                          static_cast<int>(seconds % 60)};
    auto lower = [](QChar c) { return c >= u'A' && c <= u'Z' ? QChar(c.unicode() + 32) : c; };
    // Built in a local buffer: this runs once per time cell of every file read.
    QChar buffer[32];
    QString spill;
    const bool useBuffer = picture.size() <= 16;  // each letter gives at most two digits
    qsizetype length = 0;
    auto put = [&](QChar c) {
        if (useBuffer)
            buffer[length++] = c;
        else
            spill += c;
    };
    qsizetype i = 0;
    while (i < picture.size()) {
        const QChar c = lower(picture[i]);
        int which = c == u'h' ? 0 : (c == u'n' || c == u'm') ? 1 : c == u's' ? 2 : -1;
        if (which < 0) {
            put(picture[i++]);
            continue;
        }
        const bool twoDigits = i + 1 < picture.size() && lower(picture[i + 1]) == c;
        const int part = parts[which];
        if (twoDigits || part >= 10) put(QChar(u'0' + part / 10));
        put(QChar(u'0' + part % 10));
        i += twoDigits ? 2 : 1;
    }
    return useBuffer ? QString(buffer, length) : spill;
}

QString FormatTime(double value, const QString& picture)
{
    return FormatTimeSeconds(RoundToSeconds(std::fabs(value)), picture);
}

std::optional<QString> TryFormatTextAsTime(QStringView text, const QString& picture)
{
    if (IsNumeric(text)) return FormatTime(Val(text), picture);
    if (std::optional<double> time = ParseTime(text)) return FormatTime(*time, picture);
    if (ParseDate(text)) return FormatTime(0.0, picture);  // a date alone is midnight
    return std::nullopt;
}

QString FormatTextAsTime(const QString& text, const QString& picture)
{
    std::optional<QString> formatted = TryFormatTextAsTime(text, picture);
    return formatted ? *formatted : text;
}

}  // namespace CbasGeneral
