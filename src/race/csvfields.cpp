// Splitting separated text into lines and fields.
#include "race/csvfields.h"

namespace CbasGeneral {
namespace {

QStringList splitQuoted(QStringView line, QChar separator)
{
    QStringList fields;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"')) {
                if (i + 1 < line.size() && line[i + 1] == QLatin1Char('"')) {
                    current += c;
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                current += c;
            }
        } else if (c == separator) {
            fields << current;
            current.clear();
        } else if (c == QLatin1Char('"') && current.trimmed().isEmpty()) {
            current.clear();
            quoted = true;
        } else {
            current += c;
        }
    }
    fields << current;
    return fields;
}

QStringList splitLiteral(QStringView line, QChar separator)
{
    QStringList fields;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = line.indexOf(separator, start);
        if (end < 0) break;
        fields << line.sliced(start, end - start).toString();
        start = end + 1;
    }
    fields << line.sliced(start).toString();
    return fields;
}

}  // namespace

QStringList SplitCsvFields(QStringView line, CsvQuotes quotes, QChar separator)
{
    switch (quotes) {
        case CsvQuotes::Honoured:
            return splitQuoted(line, separator);
        case CsvQuotes::Literal:
            return splitLiteral(line, separator);
    }
    return {};
}

QList<QStringView> CsvFieldViews(QStringView line, QChar separator)
{
    return line.split(separator);
}

QString FirstCsvField(QStringView line, CsvQuotes quotes, QChar separator)
{
    switch (quotes) {
        case CsvQuotes::Honoured:
            return splitQuoted(line, separator).first();
        case CsvQuotes::Literal:
            return line.left(line.indexOf(separator)).toString();
    }
    return {};
}

QStringView TextLines::next()
{
    const qsizetype start = pos_;
    qsizetype i = start;
    while (i < text_.size() && text_[i] != QLatin1Char('\r') && text_[i] != QLatin1Char('\n')) ++i;
    ended_ = i < text_.size();
    pos_ = i + 1;
    if (ended_ && text_[i] == QLatin1Char('\r') && pos_ < text_.size() &&
        text_[pos_] == QLatin1Char('\n'))
        ++pos_;
    return text_.sliced(start, i - start);
}

}  // namespace CbasGeneral
