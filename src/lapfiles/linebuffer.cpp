#include "lapfiles/linebuffer.h"

#include "race/textcodec.h"
#include "race/textutil.h"

#include <algorithm>
#include <cstring>

namespace basConvert {
namespace {

bool isLineEnd(char c)
{
    return c == '\r' || c == '\n';
}

bool isBlankLine(const QString& line)
{
    using namespace CbasGeneral;
    return Trim(line).isEmpty() || StripSpaces(RemoveText(line, QStringLiteral(","))).isEmpty();
}

bool isSportidentTitle(const QString& line)
{
    return CbasGeneral::Trim(line).compare(QLatin1String("SPORTident results"),
                                           Qt::CaseInsensitive) == 0;
}

// The text of the file after its byte-order mark, and how its lines decode. Today's entry
// systems and spreadsheets mark UTF-8 files with a byte-order mark; every other file is CP932.
// CR and LF bytes never occur inside a CP932 character, so the bytes are split into lines
// before they are decoded.
class LineText {
public:
    explicit LineText(const QByteArray& bytes)
        : utf8_(bytes.startsWith("\xEF\xBB\xBF")),
          body_(QByteArrayView(bytes).sliced(utf8_ ? 3 : 0))
    {
    }
    QByteArrayView body() const { return body_; }
    QString decode(QByteArrayView line) const
    {
        return utf8_ ? QString::fromUtf8(line)
                     : TextCodec::fromCp932(QByteArray::fromRawData(line.data(), line.size()));
    }

private:
    bool utf8_;
    QByteArrayView body_;
};

// Whether some line runs past MaxLineBytes.
bool hasOverlongLine(QByteArrayView body)
{
    ByteLines lines(body);
    QByteArrayView line;
    while (lines.next(line))
        if (line.size() > MaxLineBytes) return true;
    return false;
}

// The lines of bytes from the last to the first, as ByteLines splits them.
class LinesBackward {
public:
    explicit LinesBackward(QByteArrayView bytes) : bytes_(bytes), end_(bytes.size())
    {
        done_ = bytes.isEmpty();
        if (!done_ && isLineEnd(bytes.back())) end_ = beforeLineEnd(end_);
    }
    bool previous(QByteArrayView& line)
    {
        if (done_) return false;
        qsizetype start = end_;
        while (start > 0 && !isLineEnd(bytes_[start - 1])) --start;
        line = bytes_.sliced(start, end_ - start);
        done_ = start == 0;
        if (!done_) end_ = beforeLineEnd(start);
        return true;
    }

private:
    // Where the line ends whose line end stops just before position end.
    qsizetype beforeLineEnd(qsizetype end) const
    {
        const bool crlf = bytes_[end - 1] == '\n' && end >= 2 && bytes_[end - 2] == '\r';
        return end - (crlf ? 2 : 1);
    }

    QByteArrayView bytes_;
    qsizetype end_;
    bool done_;
};

// The last stored line: the file's last line once it is known as SPORTident results, otherwise
// its last line that is not blank.
QString lastStoredLine(const LineText& text, bool sportident)
{
    LinesBackward lines(text.body());
    QByteArrayView raw;
    while (lines.previous(raw)) {
        QString line = text.decode(raw);
        if (sportident || !isBlankLine(line)) return line;
    }
    return QString();
}

}  // namespace

qsizetype ByteLines::nextByte(char c, qsizetype& found) const
{
    if (found < pos_) {
        const auto* at = static_cast<const char*>(
            std::memchr(bytes_.data() + pos_, c, static_cast<size_t>(bytes_.size() - pos_)));
        found = at ? at - bytes_.data() : bytes_.size();
    }
    return found;
}

bool ByteLines::next(QByteArrayView& line)
{
    const qsizetype size = bytes_.size();
    if (pos_ >= size) return false;
    const qsizetype i = std::min(nextByte('\r', cr_), nextByte('\n', lf_));
    line = bytes_.sliced(pos_, i - pos_);
    const bool crlf = i + 1 < size && bytes_[i] == '\r' && bytes_[i + 1] == '\n';
    pos_ = i + (crlf ? 2 : 1);
    return true;
}

StoredLines SplitStoredLines(const QByteArray& bytes)
{
    const LineText text(bytes);
    StoredLines stored;
    bool sportident = false;
    ByteLines lines(text.body());
    QByteArrayView raw;
    while (lines.next(raw)) {
        QString line = text.decode(raw);
        if (!sportident && isBlankLine(line)) continue;
        if (line.contains(QLatin1Char(','))) stored.anyComma = true;
        stored.lines.append(std::move(line));
        if (stored.lines.size() == 3 && isSportidentTitle(stored.lines[2])) sportident = true;
    }
    return stored;
}

LineProbe ProbeStoredLines(const QByteArray& bytes)
{
    const LineText text(bytes);
    LineProbe probe;
    // Such a file is read whole by other readers; its lines are never stored.
    probe.tooLong = hasOverlongLine(text.body());
    if (probe.tooLong) return probe;
    ByteLines lines(text.body());
    QByteArrayView raw;
    while (probe.first.size() < 3 && lines.next(raw)) {
        QString line = text.decode(raw);
        if (!isBlankLine(line)) probe.first.append(std::move(line));
    }
    probe.sportident = probe.first.size() == 3 && isSportidentTitle(probe.first[2]);
    probe.last = lastStoredLine(text, probe.sportident);
    return probe;
}

}  // namespace basConvert
