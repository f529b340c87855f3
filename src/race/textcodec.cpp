#include "race/textcodec.h"

#include <QStringDecoder>

#include <iconv.h>

#include <memory>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace {

// Owns one iconv descriptor; CP932 is glibc's name for the Windows code page (it maps ～, －
// and the NEC/IBM extensions the way Windows does, unlike plain SHIFT_JIS).
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from))
    {
        if (cd_ == reinterpret_cast<iconv_t>(-1))
            throw std::runtime_error("iconv cannot convert between the code page and UTF-8");
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts as much as possible; returns false when stopped at an invalid or incomplete
    // sequence, leaving in/inLeft at that place.
    bool run(char*& in, size_t& inLeft, std::vector<char>& out)
    {
        while (inLeft > 0) {
            char buffer[4096];
            char* dst = buffer;
            size_t dstLeft = sizeof buffer;
            size_t rc = iconv(cd_, &in, &inLeft, &dst, &dstLeft);
            out.insert(out.end(), buffer, dst);
            if (rc != static_cast<size_t>(-1)) continue;
            if (errno == E2BIG) continue;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

// An iconv descriptor keeps state between calls: every thread that converts has its own.
Converter& decoder()
{
    static thread_local Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder()
{
    static thread_local Converter c("CP932", "UTF-8");
    return c;
}

// Single-byte Windows code pages through iconv; a byte the page leaves undefined becomes
// U+FFFD.
QString fromSingleByte(const char* codePage, const QByteArray& bytes)
{
    thread_local std::unique_ptr<Converter> cp1252, cp1257;
    std::unique_ptr<Converter>& converter = std::strcmp(codePage, "CP1252") == 0 ? cp1252 : cp1257;
    if (!converter) converter = std::make_unique<Converter>("UTF-8", codePage);
    QByteArray copy = bytes;
    char* in = copy.data();
    size_t inLeft = static_cast<size_t>(copy.size());
    std::vector<char> out;
    out.reserve(inLeft * 2 + 16);
    static const char replacement[] = "\xEF\xBF\xBD";
    while (!converter->run(in, inLeft, out)) {
        out.insert(out.end(), replacement, replacement + 3);
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

bool hasC1Bytes(const QByteArray& bytes)
{
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 && b <= 0x9F) return true;
    }
    return false;
}

int utf8SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 1;
}

}  // namespace

namespace TextCodec {

QString fromCp932(const QByteArray& bytes)
{
    // Fast path: ASCII is the same in CP932; most lines of a large file are nothing else.
    bool ascii = true;
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii) return QString::fromLatin1(bytes);
    QByteArray copy = bytes;
    char* in = copy.data();
    size_t inLeft = static_cast<size_t>(copy.size());
    std::vector<char> out;
    out.reserve(inLeft * 3 / 2 + 16);
    static const char replacement[] = "\xEF\xBF\xBD";  // U+FFFD in UTF-8
    while (!decoder().run(in, inLeft, out)) {
        out.insert(out.end(), replacement, replacement + 3);
        ++in;
        --inLeft;
    }
    return QString::fromUtf8(out.data(), static_cast<qsizetype>(out.size()));
}

QByteArray toCp932(const QString& text)
{
    return toCp932(text, nullptr);
}

bool fitsCp932(const QString& text)
{
    bool lossless = true;
    toCp932(text, &lossless);
    return lossless;
}

QByteArray toCp932(const QString& text, bool* lossless)
{
    if (lossless) *lossless = true;
    QByteArray utf8 = text.toUtf8();
    char* in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    std::vector<char> out;
    out.reserve(inLeft + 16);
    while (!encoder().run(in, inLeft, out)) {
        if (lossless) *lossless = false;
        out.push_back('?');
        size_t skip = static_cast<size_t>(utf8SequenceLength(static_cast<unsigned char>(*in)));
        if (skip > inLeft) skip = inLeft;
        in += skip;
        inLeft -= skip;
    }
    return QByteArray(out.data(), static_cast<qsizetype>(out.size()));
}

int cp932Length(const QString& text)
{
    // Fast path: ASCII and half-width katakana are one byte each.
    bool simple = true;
    for (QChar c : text) {
        ushort u = c.unicode();
        if (u >= 0x80 && !(u >= 0xFF61 && u <= 0xFF9F)) {
            simple = false;
            break;
        }
    }
    if (simple) return static_cast<int>(text.size());
    return static_cast<int>(toCp932(text).size());
}

}  // namespace TextCodec

namespace TextCodec {
namespace {

bool startsWith(const QByteArray& bytes, const char* prefix, int length)
{
    return bytes.size() >= length && std::memcmp(bytes.constData(), prefix, length) == 0;
}

// Valid CP932 with at least one double-byte character whose lead byte is 0x81..0x9F.
bool looksLikeCp932(const QByteArray& bytes)
{
    bool lowLead = false;
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n; ++i) {
        unsigned char c = p[i];
        if (c < 0x80 || (c >= 0xA1 && c <= 0xDF)) continue;  // ASCII, half-width katakana
        bool lead = (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
        if (!lead || i + 1 >= n) return false;
        unsigned char t = p[i + 1];
        if (t < 0x40 || t == 0x7F || t > 0xFC) return false;
        if (c <= 0x9F) lowLead = true;
        ++i;
    }
    return lowLead;
}

}  // namespace

bool isValidUtf8(const QByteArray& bytes)
{
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.constData());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        unsigned char c = p[i];
        int extra = 0;
        unsigned int code = 0;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            extra = 1;
            code = c & 0x1F;
        } else if ((c & 0xF0) == 0xE0) {
            extra = 2;
            code = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            extra = 3;
            code = c & 0x07;
        } else {
            return false;
        }
        if (i + extra >= n) return false;  // cut short at the end
        for (int k = 1; k <= extra; ++k) {
            unsigned char t = p[i + k];
            if ((t & 0xC0) != 0x80) return false;
            code = (code << 6) | (t & 0x3F);
        }
        // Overlong forms, surrogates and code points beyond U+10FFFF are not UTF-8.
        if ((extra == 2 && code < 0x800) || (extra == 3 && code < 0x10000) ||
            (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF)
            return false;
        i += extra + 1;
    }
    return true;
}

Encoding detectEncoding(const QByteArray& bytes)
{
    if (startsWith(bytes, "\xEF\xBB\xBF", 3)) return Encoding::Utf8;
    if (startsWith(bytes, "\xFF\xFE", 2)) return Encoding::Utf16LE;
    if (startsWith(bytes, "\xFE\xFF", 2)) return Encoding::Utf16BE;
    if (isValidUtf8(bytes)) return Encoding::Utf8;
    if (looksLikeCp932(bytes)) return Encoding::Cp932;
    return Encoding::Latin1;
}

std::optional<Encoding> encodingNamed(const QString& name)
{
    const QString n = name.trimmed().toLower().remove(QLatin1Char('_')).remove(QLatin1Char('-'));
    if (n == QLatin1String("utf8")) return Encoding::Utf8;
    if (n == QLatin1String("utf16le")) return Encoding::Utf16LE;
    if (n == QLatin1String("utf16be") || n == QLatin1String("utf16")) return Encoding::Utf16BE;
    if (n == QLatin1String("iso88591") || n == QLatin1String("latin1") ||
        n == QLatin1String("l1") || n == QLatin1String("usascii") || n == QLatin1String("ascii"))
        return Encoding::Latin1;
    if (n == QLatin1String("windows1252") || n == QLatin1String("cp1252"))
        return Encoding::Windows1252;
    if (n == QLatin1String("windows1257") || n == QLatin1String("cp1257"))
        return Encoding::Windows1257;
    if (n == QLatin1String("shiftjis") || n == QLatin1String("sjis") ||
        n == QLatin1String("cp932") || n == QLatin1String("windows31j") ||
        n == QLatin1String("mskanji") || n == QLatin1String("xsjis"))
        return Encoding::Cp932;
    return std::nullopt;
}

QString decode(const QByteArray& bytes, Encoding encoding)
{
    switch (encoding) {
        case Encoding::Utf8: {
            QByteArrayView view(bytes);
            if (startsWith(bytes, "\xEF\xBB\xBF", 3)) view = view.sliced(3);
            return QString::fromUtf8(view);
        }
        case Encoding::Utf16LE:
        case Encoding::Utf16BE: {
            QStringDecoder decoder(encoding == Encoding::Utf16LE ? QStringConverter::Utf16LE
                                                                 : QStringConverter::Utf16BE);
            QString text = decoder.decode(bytes);
            if (text.startsWith(QChar(0xFEFF))) text.remove(0, 1);
            return text;
        }
        case Encoding::Latin1:
            if (hasC1Bytes(bytes)) return fromSingleByte("CP1252", bytes);
            return QString::fromLatin1(bytes);
        case Encoding::Windows1252:
            return fromSingleByte("CP1252", bytes);
        case Encoding::Windows1257:
            return fromSingleByte("CP1257", bytes);
        case Encoding::Cp932:
            return fromCp932(bytes);
    }
    return QString();
}

}  // namespace TextCodec
