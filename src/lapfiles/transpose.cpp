#include "lapfiles/transpose.h"

#include "race/csvfields.h"
#include "race/textutil.h"

#include <algorithm>
#include <vector>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;

void TransposeLines(QStringList& lines)
{
    std::vector<QStringList> table;
    table.reserve(static_cast<size_t>(lines.size()));
    qsizetype columns = 0;
    for (const QString& line : lines) {
        table.push_back(SplitCsvFields(line, CsvQuotes::Literal));
        columns = std::max(columns, table.back().size());
    }

    QStringList result;
    for (qsizetype j = 0; j < columns; ++j) {
        QStringList column;
        column.reserve(static_cast<qsizetype>(table.size()));
        for (const QStringList& fields : table) column << fields.value(j);
        QString line = column.join(QLatin1Char(','));
        if (CbasGeneral::Trim(CbasGeneral::RemoveText(line, QStringLiteral(","))).isEmpty())
            continue;
        result << line;
    }
    lines = result;
}

}  // namespace basConvert
