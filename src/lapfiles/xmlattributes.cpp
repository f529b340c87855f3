#include "lapfiles/xmlattributes.h"

#include <cstring>

namespace basConvert {
namespace {

inline char16_t code(char c)
{
    return static_cast<unsigned char>(c);
}

inline char16_t code(QChar c)
{
    return c.unicode();
}

template <typename Text>
class AttributeScan {
public:
    explicit AttributeScan(Text text) : text_(text) {}

    bool crowded()
    {
        while (pos_ < text_.size()) {
            if (at(pos_) != u'<') {
                ++pos_;
            } else if (startsWith("<!--")) {
                skipPast("-->");
            } else if (startsWith("<![CDATA[")) {
                skipPast("]]>");
            } else if (at(pos_ + 1) == u'?' || at(pos_ + 1) == u'!' || at(pos_ + 1) == u'/') {
                skipPast(">");
            } else if (startTagAttributes() > MaxXmlAttributes) {
                return true;
            }
        }
        return false;
    }

private:
    char16_t at(qsizetype k) const { return k < text_.size() ? code(text_[k]) : u'\0'; }

    bool startsWith(const char* s) const
    {
        for (qsizetype k = 0; s[k]; ++k)
            if (at(pos_ + k) != static_cast<char16_t>(s[k])) return false;
        return true;
    }

    // Moves past the next occurrence of the ASCII text end (to the end of the text if none).
    void skipPast(const char* end)
    {
        const qsizetype length = static_cast<qsizetype>(std::strlen(end));
        for (++pos_; pos_ < text_.size(); ++pos_) {
            if (startsWith(end)) {
                pos_ += length;
                return;
            }
        }
    }

    // The "=" of the start tag at pos_ outside its quoted values, counted up to one past the
    // limit; pos_ ends after the tag.
    int startTagAttributes()
    {
        int count = 0;
        for (++pos_; pos_ < text_.size() && at(pos_) != u'>'; ++pos_) {
            const char16_t c = at(pos_);
            if (c == u'"' || c == u'\'') {
                while (++pos_ < text_.size() && at(pos_) != c) {
                }
            } else if (c == u'=' && ++count > MaxXmlAttributes) {
                return count;
            }
        }
        ++pos_;
        return count;
    }

    Text text_;
    qsizetype pos_ = 0;
};

}  // namespace

bool HasCrowdedElement(QByteArrayView bytes)
{
    return AttributeScan<QByteArrayView>(bytes).crowded();
}

bool HasCrowdedElement(QStringView text)
{
    return AttributeScan<QStringView>(text).crowded();
}

}  // namespace basConvert
