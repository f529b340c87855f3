#include "lapfiles/resulttablestart.h"

#include "lapfiles/importedrace.h"
#include "race/csvfields.h"

#include <QStringList>

#include <vector>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;
using CbasGeneral::TextLines;

namespace {

using C = ResultColumn;

// Rows looked at to find the pairs when the header does not show them.
constexpr int SampleRows = 20;

const QChar Separators[] = {QLatin1Char(';'), QLatin1Char(','), QLatin1Char('\t')};

bool isPunchText(const QString& text)
{
    return text.isEmpty() || text.startsWith(QLatin1Char('-')) || ParseSeconds(text).has_value();
}

// The OE position of the first pair that the rows bear out: a control code and a time at it
// and after it in most rows long enough to hold them.
PunchGroups pairsInRows(const std::vector<QStringList>& rows)
{
    PunchGroups groups;
    for (int p : OeFirstPairs) {
        int fitting = 0, long_ = 0;
        for (const QStringList& fields : rows) {
            if (fields.size() < p + 2) continue;
            ++long_;
            const QString code = fields[p].trimmed();
            if (IsControlCode(code) && isPunchText(fields[p + 1].trimmed()) &&
                ParseSeconds(fields[p + 1].trimmed()))
                ++fitting;
        }
        if (long_ > 0 && fitting * 5 >= long_ * 4) {
            groups.first = p;
            return groups;
        }
    }
    return groups;
}

bool knowsRunners(const ResultHeader& h)
{
    return h.firstPair >= 0 && (h[C::Name] >= 0 || h[C::Chip] >= 0 || h[C::StartNumber] >= 0);
}

}  // namespace

bool IsCommentLine(QStringView line)
{
    return line.trimmed().startsWith(QLatin1String("//"));
}

std::optional<QStringView> FormatComment(QStringView line)
{
    const QStringView trimmed = line.trimmed();
    const QLatin1String prefix("//format:");
    if (!trimmed.startsWith(prefix, Qt::CaseInsensitive)) return std::nullopt;
    return trimmed.mid(prefix.size());
}

bool IsControlCode(const QString& text)
{
    if (text.isEmpty() || text.size() > 6) return false;
    for (QChar c : text)
        if (!c.isLetterOrNumber()) return false;
    return text[0].isDigit() || text.compare(QLatin1String("F"), Qt::CaseInsensitive) == 0;
}

TableStart FindTableStart(TextLines& lines, bool whole)
{
    TableStart start;
    QStringView header;
    while (!lines.atEnd()) {
        header = lines.next();
        const bool complete = lines.ended() || whole;
        if (!complete && header.size() <= HeaderChars) return start;
        // An OWare export names its columns in a comment.
        if (FormatComment(header)) {
            header = *FormatComment(header);
            break;
        }
        if (header.trimmed().isEmpty() || IsCommentLine(header)) continue;
        break;
    }
    if (header.trimmed().isEmpty()) {
        start.decided = whole;
        return start;
    }
    start.decided = true;
    // The rows after the header, for a header that does not show where the pairs begin.
    std::vector<QStringView> sample;
    while (!lines.atEnd() && static_cast<int>(sample.size()) < SampleRows) {
        QStringView row = lines.next();
        if (!lines.ended() && !whole) break;
        if (!row.trimmed().isEmpty() && row.size() <= MaxRowChars) sample.push_back(row);
    }
    for (QChar separator : Separators) {
        const QStringList fields =
            SplitCsvFields(header.left(HeaderChars), CsvQuotes::Honoured, separator);
        if (fields.size() < 4) continue;
        PunchGroups groups = GroupsInHeader(fields);
        if (groups.first < 0) {
            std::vector<QStringList> rows;
            for (QStringView row : sample)
                rows.push_back(SplitCsvFields(row, CsvQuotes::Honoured, separator));
            groups = pairsInRows(rows);
        }
        // An export of results without punches: its groups would begin after its last column.
        if (groups.first < 0 && IsResultHeaderWithoutPunches(fields))
            groups.first = static_cast<int>(fields.size());
        if (groups.first < 0) continue;
        const ResultHeader columns = MapResultHeader(fields, groups);
        if (!knowsRunners(columns)) continue;
        start.separator = separator;
        start.columns = columns;
        start.found = true;
        break;
    }
    return start;
}

}  // namespace basConvert
