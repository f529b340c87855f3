#include "race/textutil.h"

#include "race/textcodec.h"

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

// The blanks StripSpaces removes: half-width and ideographic spaces, NUL.
bool isSpaceOrNul(QChar c)
{
    return c == u' ' || c == QChar(0x3000) || c == QChar(0);
}

// A Latin letter (accented ones included) or a digit, half- or full-width.
bool isLatinOrDigit(QChar c)
{
    return c.isDigit() || (c.isLetter() && c.script() == QChar::Script_Latin);
}

}  // namespace

QString GetField(const QString& text, int n, const QString& delimiter)
{
    if (text.isEmpty() || delimiter.isEmpty() || n <= 0) return QString();
    if (delimiter.size() == 1) {
        // The common case (","): one pass over the characters, cheaper than a search per field.
        const QChar d = delimiter[0];
        const QChar* data = text.constData();
        const qsizetype size = text.size();
        qsizetype start = 0;
        int field = 1;
        for (qsizetype i = 0; i < size; ++i) {
            if (data[i] != d) continue;
            if (field == n) return text.mid(start, i - start);
            ++field;
            start = i + 1;
        }
        if (field != n) return QString();
        return start == 0 ? text : text.mid(start);
    }
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        qsizetype next = text.indexOf(delimiter, start);
        if (next < 0) return QString();
        start = next + delimiter.size();
    }
    qsizetype end = text.indexOf(delimiter, start);
    if (start == 0 && end < 0) return text;
    return text.mid(start, end < 0 ? -1 : end - start);
}

int CountFields(const QString& text, const QString& delimiter)
{
    if (text.isEmpty()) return 0;
    if (delimiter.isEmpty()) return 1;
    return CountText(text, delimiter) + 1;
}

int CountText(const QString& text, const QString& part)
{
    if (part.isEmpty()) return 0;
    int count = 0;
    qsizetype pos = 0;
    while ((pos = text.indexOf(part, pos)) >= 0) {
        ++count;
        pos += part.size();
    }
    return count;
}

QString RemoveText(const QString& text, const QString& part)
{
    if (part.isEmpty() || !text.contains(part)) return text;
    QString result = text;
    result.remove(part);
    return result;
}

QString StripSpaces(const QString& text)
{
    qsizetype first = 0;
    while (first < text.size() && !isSpaceOrNul(text[first])) ++first;
    if (first == text.size()) return text;
    QString result;
    result.reserve(text.size() - 1);
    result.append(QStringView(text).left(first));
    for (qsizetype i = first + 1; i < text.size(); ++i)
        if (!isSpaceOrNul(text[i])) result.append(text[i]);
    return result;
}

QString CompactName(const QString& text)
{
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size();) {
        if (!isSpaceOrNul(text[i])) {
            result.append(text[i++]);
            continue;
        }
        while (i < text.size() && isSpaceOrNul(text[i])) ++i;
        if (!result.isEmpty() && i < text.size() && isLatinOrDigit(result.back()) &&
            isLatinOrDigit(text[i]))
            result.append(u' ');
    }
    return result;
}

QString CsvField(const QString& text)
{
    QString field = text;
    field.replace(QLatin1Char(','), QChar(0xFF0C));
    field.replace(QLatin1Char('\r'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    return field;
}

namespace {

// The characters with which a spreadsheet cell begins a formula, and their full-width forms.
constexpr char16_t FormulaStarts[] = u"=+-@";
constexpr char16_t FormulaStartsWide[] = u"＝＋－＠";

// The first character of the field that is no half-width space, or the field's end.
qsizetype firstNonBlank(const QString& field)
{
    qsizetype i = 0;
    while (i < field.size() && field[i] == u' ') ++i;
    return i;
}

// The field with its first non-blank character changed from one set to the other, if it is one.
QString swapLeading(QString field, const char16_t* from, const char16_t* to)
{
    const qsizetype first = firstNonBlank(field);
    if (first == field.size()) return field;
    for (int k = 0; from[k]; ++k) {
        if (field[first] == from[k]) {
            field[first] = QChar(to[k]);
            break;
        }
    }
    return field;
}

}  // namespace

QString CsvCell(const QString& text)
{
    QString field = CsvField(text);
    field.replace(QLatin1Char('\t'), QLatin1Char(' '));
    return swapLeading(field, FormulaStarts, FormulaStartsWide);
}

QString CsvCellText(const QString& field)
{
    return swapLeading(field, FormulaStartsWide, FormulaStarts);
}

QStringView TrimBlanks(QStringView text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ') ++begin;
    while (end > begin && text[end - 1] == u' ') --end;
    return text.mid(begin, end - begin);
}

QString Trim(const QString& text)
{
    QStringView trimmed = TrimBlanks(text);
    if (trimmed.size() == text.size()) return text;
    return trimmed.toString();
}

QString AddQuotes(const QString& text)
{
    if (text.startsWith(u'"') && text.endsWith(u'"')) return text;
    return u'"' + text + u'"';
}

QString RemoveQuotes(const QString& text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"'))
        return text.mid(1, text.size() - 2);
    return text;
}

QString CutRight(const QString& text, int n, const QString& part)
{
    if (n <= 0) return text;
    if (part.isEmpty()) return text.left(std::max<qsizetype>(0, text.size() - n));
    if (text.size() >= n && QStringView(text).right(n) == part) return text.left(text.size() - n);
    return text;
}

int AnsiLength(const QString& text)
{
    return TextCodec::cp932Length(text);
}

QString AnsiMid(const QString& text, int startByte, int byteCount)
{
    if (startByte < 1) startByte = 1;
    if (byteCount <= 0 || text.isEmpty()) return QString();
    const qsizetype first = startByte - 1;     // byte offsets of the piece
    const qsizetype last = first + byteCount;  // one past its end
    const QByteArray bytes = TextCodec::toCp932(text);
    auto isLeadByte = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; };

    // Walk characters and their CP932 bytes side by side: every character (a surrogate pair
    // counts as one) is one byte, or two when its first byte is a lead byte.
    QString result;
    qsizetype byte = 0;
    qsizetype i = 0;
    while (i < text.size() && byte < last) {
        qsizetype units = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        qsizetype width = 1;
        if (byte < bytes.size() && isLeadByte(static_cast<unsigned char>(bytes[byte]))) width = 2;
        const qsizetype end = byte + width;
        if (byte >= first && end <= last)
            result.append(QStringView(text).mid(i, units));
        else if (end > first)
            result.append(u' ');  // a double-byte character cut by an end of the piece
        byte = end;
        i += units;
    }
    return result;
}

QString FitWidth(const QString& text, int width, bool rightAlign, bool trimFirst)
{
    const QString s = trimFirst ? Trim(text) : text;
    const int length = AnsiLength(s);
    if (length > width) return AnsiMid(s, 1, width);
    if (length == width) return s;
    const QString pad(width - length, u' ');
    return rightAlign ? pad + s : s + pad;
}

bool Like(const QString& text, const QString& pattern)
{
    return Like(QStringView(text), QStringView(pattern));
}

namespace {

QChar foldCase(QChar c)
{
    return c.toCaseFolded();
}

// Matches one character against the list of "[...]" starting after the "[" at p; sets p past
// the "]". A list without "]" is taken literally as "[".
bool matchCharList(QChar c, QStringView pattern, qsizetype& p, bool& ok)
{
    qsizetype close = pattern.indexOf(u']', p + 1);
    if (close < 0) {
        ok = false;
        return false;
    }
    ok = true;
    qsizetype i = p + 1;
    bool negate = i < close && pattern[i] == u'!';
    if (negate) ++i;
    const QChar fc = foldCase(c);
    bool found = false;
    for (; i < close; ++i) {
        QChar from = foldCase(pattern[i]);
        QChar to = from;
        if (i + 2 < close && pattern[i + 1] == u'-') {
            to = foldCase(pattern[i + 2]);
            i += 2;
        }
        if (fc >= from && fc <= to) found = true;
    }
    p = close + 1;
    return found != negate;
}

// Matches one pattern element at p against c; advances p past the element.
bool matchOne(QChar c, QStringView pattern, qsizetype& p)
{
    const QChar pc = pattern[p];
    if (pc == u'?') {
        ++p;
        return true;
    }
    if (pc == u'#') {
        ++p;
        return isAsciiDigit(c);
    }
    if (pc == u'[') {
        bool ok = false;
        qsizetype q = p;
        bool matched = matchCharList(c, pattern, q, ok);
        if (ok) {
            p = q;
            return matched;
        }
    }
    ++p;
    return foldCase(pc) == foldCase(c);
}

}  // namespace

bool Like(QStringView text, QStringView pattern)
{
    // Greedy matching with one back-track point: the latest "*".
    qsizetype t = 0;
    qsizetype p = 0;
    qsizetype starP = -1;
    qsizetype starT = 0;
    while (t < text.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            starP = ++p;
            starT = t;
            continue;
        }
        qsizetype q = p;
        if (p < pattern.size() && matchOne(text[t], pattern, q)) {
            p = q;
            ++t;
            continue;
        }
        if (starP < 0) return false;
        p = starP;
        t = ++starT;
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}

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
