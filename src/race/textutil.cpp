#include "race/textutil.h"

namespace CbasGeneral {

namespace {

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

}  // namespace CbasGeneral
