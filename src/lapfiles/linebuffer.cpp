#include "lapfiles/linebuffer.h"

#include "lapfiles/readcontext.h"
#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>

namespace basConvert {
namespace {

bool isBlankLine(const QString& line)
{
    using namespace CbasGeneral;
    return Trim(line).isEmpty() || StripSpaces(RemoveText(line, QStringLiteral(","))).isEmpty();
}

// Stores one line read from the file.
void storeLine(ReadContext& context, const QString& line)
{
    if (context.formatCode != FormatSportident && isBlankLine(line)) return;
    context.lines.append(line);
    if (line.contains(QLatin1Char(','))) context.anyComma = true;
    if (context.lines.size() == 3 &&
        CbasGeneral::Trim(context.lines[2])
                .compare(QLatin1String("SPORTident results"), Qt::CaseInsensitive) == 0)
        context.formatCode = FormatSportident;
}

}  // namespace

LineReadResult FillLineBuffer(const QString& path, ReadContext& context)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return LineReadResult::Unreadable;

    // CR and LF bytes never occur inside a CP932 character, so the bytes can be split into
    // lines before they are decoded. Each byte is looked at once, however long a line runs
    // across the chunks read.
    QByteArray pending;
    qsizetype scanned = 0;  // bytes of pending already known to hold no line end
    bool atEnd = false;
    // Today's entry systems and spreadsheets mark UTF-8 files with a byte-order mark; every
    // other file is CP932.
    bool utf8 = false;
    auto decode = [&utf8](const QByteArray& bytes) {
        return utf8 ? QString::fromUtf8(bytes) : TextCodec::fromCp932(bytes);
    };
    bool first = true;
    while (!atEnd) {
        QByteArray chunk = file.read(1 << 16);
        if (file.error() != QFileDevice::NoError) return LineReadResult::Unreadable;
        atEnd = chunk.isEmpty();
        pending += chunk;
        if (first && (pending.size() >= 3 || atEnd)) {
            first = false;
            utf8 = pending.startsWith("\xEF\xBB\xBF");
            if (utf8) pending.remove(0, 3);
        }

        qsizetype start = 0;
        qsizetype i = scanned;
        for (; i < pending.size(); ++i) {
            char c = pending[i];
            if (c != '\r' && c != '\n') continue;
            // A CR at the end of what has been read may be the first half of a CR LF.
            if (c == '\r' && i + 1 == pending.size() && !atEnd) break;
            QString line = decode(pending.mid(start, i - start));
            if (c == '\r' && i + 1 < pending.size() && pending[i + 1] == '\n') ++i;
            start = i + 1;
            storeLine(context, line);
        }
        pending.remove(0, start);
        scanned = i - start;
        if (pending.size() > MaxLineBytes) return LineReadResult::LineTooLong;
    }
    if (!pending.isEmpty()) storeLine(context, decode(pending));
    return LineReadResult::Ok;
}

}  // namespace basConvert
