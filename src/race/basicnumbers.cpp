// The numbers of BASIC texts: IsNumeric, Val and the rounding of CInt.
#include "race/textutil.h"

#include <charconv>
#include <climits>
#include <cmath>

namespace CbasGeneral {
namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

// Length of the number (sign, digits, decimal point, digits) at the start of the text; 0 when
// there is none. A lone sign or point is no number.
qsizetype numberPrefixLength(QStringView text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    if (i < n && (text[i] == u'+' || text[i] == u'-')) ++i;
    qsizetype digits = 0;
    while (i < n && isAsciiDigit(text[i])) ++i, ++digits;
    if (i < n && text[i] == u'.') {
        ++i;
        while (i < n && isAsciiDigit(text[i])) ++i, ++digits;
    }
    return digits > 0 ? i : 0;
}

// Value of a number already checked by numberPrefixLength (ASCII only).
double parseNumber(QStringView number)
{
    if (number.size() <= 15 && !number.contains(u'.')) {
        // Whole numbers (the digits of time texts) are exact without a conversion call.
        long long whole = 0;
        bool negative = false;
        for (QChar c : number) {
            if (c == u'-') negative = true;
            if (c >= u'0' && c <= u'9') whole = whole * 10 + (c.unicode() - u'0');
        }
        return static_cast<double>(negative ? -whole : whole);
    }
    char buffer[64] = {};
    qsizetype len = 0;
    bool negative = false;
    for (QChar c : number) {
        if (c == u'+') continue;
        if (c == u'-') {
            negative = true;
            continue;
        }
        if (len == static_cast<qsizetype>(sizeof buffer) - 1) break;
        buffer[len++] = static_cast<char>(c.unicode());
    }
    if (len > 0 && buffer[0] == '.') {
        // from_chars wants a digit before the point.
        for (qsizetype k = len; k > 0; --k) buffer[k] = buffer[k - 1];
        buffer[0] = '0';
        ++len;
    }
    double value = 0.0;
    std::from_chars(buffer, buffer + len, value);
    return negative ? -value : value;
}

}  // namespace

bool IsNumeric(const QString& text)
{
    return IsNumeric(QStringView(text));
}

bool IsNumeric(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlank(text[begin])) ++begin;
    while (end > begin && isBlank(text[end - 1])) --end;
    if (begin == end) return false;
    return numberPrefixLength(text.mid(begin, end - begin)) == end - begin;
}

double Val(const QString& text)
{
    return Val(QStringView(text));
}

double Val(QStringView text)
{
    qsizetype begin = 0;
    while (begin < text.size() && isBlank(text[begin])) ++begin;
    const QStringView rest = text.mid(begin);
    const qsizetype length = numberPrefixLength(rest);
    return length > 0 ? parseNumber(rest.left(length)) : 0.0;
}

int RoundHalfEven(double value)
{
    if (std::isnan(value)) return 0;
    const double rounded = std::nearbyint(value);  // the default rounding mode is to-even
    if (rounded >= static_cast<double>(INT_MAX)) return INT_MAX;
    if (rounded <= static_cast<double>(INT_MIN)) return INT_MIN;
    return static_cast<int>(rounded);
}

}  // namespace CbasGeneral
