// The bytes of the four types a race is saved as.
#include "lapfiles/csvlayout.h"
#include "lapfiles/formatentries.h"
#include "lapfiles/interchange.h"
#include "lapfiles/lapformat.h"
#include "race/textcodec.h"

namespace basConvert::Formats {
namespace {

// Lines with CR LF, in CP932, or in UTF-8 with a byte-order mark (which the reader takes) when a
// text of the race (ö, é, the Baltic letters) has no CP932 form.
SavedBytes textFile(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) text += line + QStringLiteral("\r\n");
    SavedBytes saved;
    bool fits = true;
    saved.bytes = TextCodec::toCp932(text, &fits);
    if (!fits) {
        saved.utf8 = true;
        saved.bytes = QByteArrayLiteral("\xEF\xBB\xBF") + text.toUtf8();
    }
    return saved;
}

}  // namespace

SavedBytes WriteLap(const RaceHeader& header, const ClassCollection& classes)
{
    return textFile(BuildLapLines(header, classes));
}

SavedBytes WriteCsvRows(const RaceHeader&, const ClassCollection& classes)
{
    QStringList lines;
    BuildHorizontalLines(classes, lines);
    return textFile(lines);
}

SavedBytes WriteCsvColumns(const RaceHeader&, const ClassCollection& classes)
{
    QStringList lines;
    BuildVerticalLines(classes, lines);
    return textFile(lines);
}

SavedBytes WriteIofXml(const RaceHeader& header, const ClassCollection& classes)
{
    return SavedBytes{BuildIofXml(header, classes), false};
}

}  // namespace basConvert::Formats
