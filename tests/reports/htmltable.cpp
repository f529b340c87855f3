#include "htmltable.h"

#include <QRegularExpression>

namespace htmltest {

namespace {

int Attribute(const QString& tag, const QString& name)
{
    const QRegularExpression pattern(name + QStringLiteral("=(\\d+)"));
    const QRegularExpressionMatch match = pattern.match(tag);
    return match.hasMatch() ? match.captured(1).toInt() : 1;
}

}  // namespace

TableShape CheckTable(const QStringList& page)
{
    TableShape shape;
    const QString text = page.join(QLatin1Char('\n'));
    const int start = text.indexOf(QStringLiteral("<table"));
    const int end = text.indexOf(QStringLiteral("</table>"), start);
    if (start < 0 || end < 0) {
        shape.fault = QStringLiteral("no table");
        return shape;
    }
    const QString table = text.mid(start, end - start);
    std::vector<int> pending;  // rows still covered, per column, by cells above
    const QRegularExpression rowPattern(QStringLiteral("<tr[^>]*>(.*?)</tr>"),
                                        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression cellPattern(QStringLiteral("<td[^>]*>"));
    auto rows = rowPattern.globalMatch(table);
    int rowNo = 0;
    while (rows.hasNext()) {
        ++rowNo;
        const QString row = rows.next().captured(1);
        std::vector<bool> used(pending.size(), false);
        for (size_t c = 0; c < pending.size(); ++c)
            if (pending[c] > 0) used[c] = true;
        size_t col = 0;
        auto cells = cellPattern.globalMatch(row);
        while (cells.hasNext()) {
            const QString tag = cells.next().captured(0);
            const int colspan = Attribute(tag, QStringLiteral("colspan"));
            const int rowspan = Attribute(tag, QStringLiteral("rowspan"));
            while (col < used.size() && used[col]) ++col;
            if (used.size() < col + static_cast<size_t>(colspan)) {
                used.resize(col + static_cast<size_t>(colspan), false);
                pending.resize(used.size(), 0);
            }
            for (int k = 0; k < colspan; ++k) {
                if (used[col] && shape.fault.isEmpty())
                    shape.fault =
                        QStringLiteral("row %1: two cells at column %2").arg(rowNo).arg(col + 1);
                used[col] = true;
                pending[col] = rowspan;  // counts this row; decreased below
                ++col;
            }
        }
        // Columns must be covered without gaps from the left.
        int width = 0;
        while (width < static_cast<int>(used.size()) && used[static_cast<size_t>(width)]) ++width;
        for (size_t c = static_cast<size_t>(width); c < used.size(); ++c)
            if (used[c] && shape.fault.isEmpty())
                shape.fault =
                    QStringLiteral("row %1 has a gap at column %2").arg(rowNo).arg(width + 1);
        shape.rowWidths.push_back(width);
        for (int& p : pending)
            if (p > 0) --p;
        if (shape.fault.isEmpty() && width != shape.rowWidths.front())
            shape.fault = QStringLiteral("row %1 covers %2 columns, the first row %3")
                              .arg(rowNo)
                              .arg(width)
                              .arg(shape.rowWidths.front());
    }
    if (shape.rowWidths.empty() && shape.fault.isEmpty()) shape.fault = QStringLiteral("no rows");
    return shape;
}

QStringList LinesWith(const QStringList& page, const QString& text)
{
    QStringList lines;
    for (const QString& line : page)
        if (line.contains(text)) lines << line;
    return lines;
}

}  // namespace htmltest
