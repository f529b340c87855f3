// Lengths, pieces and widths of texts counted in CP932 bytes.
#include "race/textutil.h"

#include "race/textcodec.h"

namespace CbasGeneral {

int AnsiLength(const QString& text)
{
    return TextCodec::cp932Length(text);
}

QString AnsiMid(const QString& text, int startByte, int byteCount)
{
    if (startByte < 1) startByte = 1;
    if (byteCount <= 0 || text.isEmpty()) return QString();
    const qsizetype first = startByte - 1;     // byte offsets of the piece
    const qsizetype last = first + byteCount;  // one past its end
    const QByteArray bytes = TextCodec::toCp932(text);
    auto isLeadByte = [](unsigned char b) { return (b >= 0x81 && b <= 0x9F) || b >= 0xE0; };

    // Walk characters and their CP932 bytes side by side: every character (a surrogate pair
    // counts as one) is one byte, or two when its first byte is a lead byte.
    QString result;
    qsizetype byte = 0;
    qsizetype i = 0;
    while (i < text.size() && byte < last) {
        qsizetype units = (text[i].isHighSurrogate() && i + 1 < text.size()) ? 2 : 1;
        qsizetype width = 1;
        if (byte < bytes.size() && isLeadByte(static_cast<unsigned char>(bytes[byte]))) width = 2;
        const qsizetype end = byte + width;
        if (byte >= first && end <= last)
            result.append(QStringView(text).mid(i, units));
        else if (end > first)
            result.append(u' ');  // a double-byte character cut by an end of the piece
        byte = end;
        i += units;
    }
    return result;
}

QString FitWidth(const QString& text, int width, bool rightAlign, bool trimFirst)
{
    const QString s = trimFirst ? Trim(text) : text;
    const int length = AnsiLength(s);
    if (length > width) return AnsiMid(s, 1, width);
    if (length == width) return s;
    const QString pad(width - length, u' ');
    return rightAlign ? pad + s : s + pad;
}

}  // namespace CbasGeneral
