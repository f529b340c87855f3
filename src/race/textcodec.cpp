#include "race/textcodec.h"

#include <iconv.h>

#include <cerrno>
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
            throw std::runtime_error("iconv cannot convert between CP932 and UTF-8");
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
            if (rc != static_cast<size_t>(-1))
                continue;
            if (errno == E2BIG)
                continue;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
            return false;
        }
        return true;
    }

private:
    iconv_t cd_;
};

Converter& decoder()
{
    static Converter c("UTF-8", "CP932");
    return c;
}

Converter& encoder()
{
    static Converter c("CP932", "UTF-8");
    return c;
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
    QByteArray utf8 = text.toUtf8();
    char* in = utf8.data();
    size_t inLeft = static_cast<size_t>(utf8.size());
    std::vector<char> out;
    out.reserve(inLeft + 16);
    while (!encoder().run(in, inLeft, out)) {
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
