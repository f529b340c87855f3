#include "lapfiles/lapdamage.h"

#include "lapfiles/tablereader.h"
#include "race/csvfields.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QRegularExpression>
#include <QStringList>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;

namespace {

// A last field as the writer writes it: a time "h:nn:ss", a lap word or nothing.
bool isWholeField(const QString& field)
{
    static const QRegularExpression whole(
        QStringLiteral("^\\s*(\\d+:\\d\\d:\\d\\d|n/a|→|↓|-|\\*|0|)\\s*$"),
        QRegularExpression::CaseInsensitiveOption);
    return whole.match(field).hasMatch();
}

// Whether the last line, which has no line end, is a whole runner line of the table above it.
bool isWholeLastLine(const QStringList& lines)
{
    const QString& last = lines.last();
    if (last.startsWith(QLatin1Char('$')) || IsColumnHeaderLine(last)) return false;
    for (qsizetype i = lines.size() - 2; i >= 0; --i) {
        if (!IsColumnHeaderLine(lines[i])) continue;
        const QStringList fields = SplitCsvFields(last, CsvQuotes::Literal);
        return fields.size() >= SplitCsvFields(lines[i], CsvQuotes::Literal).size() &&
               isWholeField(fields.last());
    }
    return false;
}

}  // namespace

QString LapFileDamage(const QByteArray& bytes)
{
    if (bytes.contains('\0')) return QStringLiteral("NUL バイトが含まれています");
    if (bytes.isEmpty() || bytes.endsWith('\n') || bytes.endsWith('\r')) return QString();
    const bool utf8 = bytes.startsWith("\xEF\xBB\xBF");
    const QString text =
        utf8 ? TextCodec::decode(bytes, TextCodec::Encoding::Utf8) : TextCodec::fromCp932(bytes);
    QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\r|\n")));
    lines.removeIf([](const QString& line) { return CbasGeneral::Trim(line).isEmpty(); });
    if (lines.isEmpty() || isWholeLastLine(lines)) return QString();
    return QStringLiteral("ファイルが行の途中で終わっています");
}

}  // namespace basConvert
