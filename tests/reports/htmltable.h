#pragma once
// A small reader of the tables of a page, for checking their shape: every row must cover the
// same columns once the colspan and rowspan of its cells count.
#include <QString>
#include <QStringList>

#include <ostream>
#include <vector>

// Readable failure messages for texts.
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

namespace htmltest {

struct TableShape {
    std::vector<int> rowWidths;  // columns covered by each row, spans from above included
    QString fault;               // empty when every row has the width of the first
};

// The shape of the first table of the page (rows of nested tables are not expected).
TableShape CheckTable(const QStringList& page);

// The lines of the page that contain the text.
QStringList LinesWith(const QStringList& page, const QString& text);

}  // namespace htmltest
