#pragma once
// Splitting separated text into lines and fields: every reader of race files, start lists, the
// season statistics file and scripts splits its lines into fields here. Two rules hold. Files of
// other programs quote a field that holds the separator ("Yamada, Taro"). The program's own lap
// files, CSV layouts and season file, and the tables read like them, never quote: their writers
// turn a comma in a text into "，" and write a double quote as it is, so there a quote is an
// ordinary character of the text. A script's line, too, is split at every comma.
#include <QChar>
#include <QStringList>
#include <QStringView>

namespace CbasGeneral {

enum class CsvQuotes {
    Honoured,  // a field in double quotes may hold the separator; "" inside stands for one quote
    Literal,   // a double quote is an ordinary character; every separator ends a field
};

// The fields of one line, split at the separator by the quoting rule.
QStringList SplitCsvFields(QStringView line, CsvQuotes quotes, QChar separator = u',');

// The fields by the literal rule as views into the line, for looking a line over without copying
// its fields.
QList<QStringView> CsvFieldViews(QStringView line, QChar separator = u',');

// The first field of the line, without splitting the rest.
QString FirstCsvField(QStringView line, CsvQuotes quotes, QChar separator = u',');

// The lines of a text, split at CR LF, a lone CR or a lone LF, as views into it. A text that ends
// with a line end has an empty last line.
class TextLines {
public:
    explicit TextLines(QStringView text) : text_(text) {}
    bool atEnd() const { return pos_ > text_.size(); }
    QStringView next();
    // Whether a line end followed the line next() returned last.
    bool ended() const { return ended_; }

private:
    QStringView text_;
    qsizetype pos_ = 0;
    bool ended_ = false;
};

}  // namespace CbasGeneral
