// Full-width and half-width forms of ASCII and katakana, as the Japanese input methods and the
// CP932 code page know them.
#include "race/textutil.h"

namespace CbasGeneral {

namespace {

constexpr char16_t kIdeographicSpace = 0x3000;
constexpr char16_t kWideApostrophe = 0x2019;  // ’
constexpr char16_t kWideQuote = 0x201D;       // ”
constexpr char16_t kHalfDakuten = 0xFF9E;     // ﾞ
constexpr char16_t kHalfHandakuten = 0xFF9F;  // ﾟ

// Full-width forms of the half-width katakana block U+FF61..U+FF9F, in order.
constexpr char16_t kWideKana[] = {
    0x3002, 0x300C, 0x300D, 0x3001, 0x30FB, 0x30F2, 0x30A1, 0x30A3,  // ｡｢｣､･ｦｧｨ
    0x30A5, 0x30A7, 0x30A9, 0x30E3, 0x30E5, 0x30E7, 0x30C3, 0x30FC,  // ｩｪｫｬｭｮｯｰ
    0x30A2, 0x30A4, 0x30A6, 0x30A8, 0x30AA, 0x30AB, 0x30AD, 0x30AF,  // ｱｲｳｴｵｶｷｸ
    0x30B1, 0x30B3, 0x30B5, 0x30B7, 0x30B9, 0x30BB, 0x30BD, 0x30BF,  // ｹｺｻｼｽｾｿﾀ
    0x30C1, 0x30C4, 0x30C6, 0x30C8, 0x30CA, 0x30CB, 0x30CC, 0x30CD,  // ﾁﾂﾃﾄﾅﾆﾇﾈ
    0x30CE, 0x30CF, 0x30D2, 0x30D5, 0x30D8, 0x30DB, 0x30DE, 0x30DF,  // ﾉﾊﾋﾌﾍﾎﾏﾐ
    0x30E0, 0x30E1, 0x30E2, 0x30E4, 0x30E6, 0x30E8, 0x30E9, 0x30EA,  // ﾑﾒﾓﾔﾕﾖﾗﾘ
    0x30EB, 0x30EC, 0x30ED, 0x30EF, 0x30F3, 0x309B, 0x309C,          // ﾙﾚﾛﾜﾝﾞﾟ
};
constexpr char16_t kHalfKanaFirst = 0xFF61;
constexpr char16_t kHalfKanaLast = 0xFF9F;

bool isHalfKana(char16_t c)
{
    return c >= kHalfKanaFirst && c <= kHalfKanaLast;
}

char16_t wideKana(char16_t half)
{
    return kWideKana[half - kHalfKanaFirst];
}

// ｶ..ﾄ and ﾊ..ﾎ take a dakuten (the voiced form is the next code point), ｳ becomes ヴ.
bool takesDakuten(char16_t half)
{
    return (half >= 0xFF76 && half <= 0xFF84) || (half >= 0xFF8A && half <= 0xFF8E) ||
           half == 0xFF73;
}

bool takesHandakuten(char16_t half)
{
    return half >= 0xFF8A && half <= 0xFF8E;
}

// Reverse table: the half-width form of a full-width katakana or punctuation mark, with the
// (han)dakuten it splits into; 0 when there is none.
struct NarrowKana {
    char16_t base = 0;
    char16_t mark = 0;
};

struct NarrowTable {
    static constexpr char16_t first = 0x3000;
    static constexpr char16_t last = 0x30FF;
    NarrowKana entries[last - first + 1];

    NarrowTable()
    {
        for (char16_t half = kHalfKanaFirst; half <= kHalfKanaLast; ++half) {
            set(wideKana(half), half, 0);
            if (half == 0xFF73)
                set(0x30F4, half, kHalfDakuten);  // ヴ
            else if (takesDakuten(half))
                set(wideKana(half) + 1, half, kHalfDakuten);
            if (takesHandakuten(half)) set(wideKana(half) + 2, half, kHalfHandakuten);
        }
    }
    void set(char16_t wide, char16_t base, char16_t mark) { entries[wide - first] = {base, mark}; }
    const NarrowKana* find(char16_t wide) const
    {
        if (wide < first || wide > last || entries[wide - first].base == 0) return nullptr;
        return &entries[wide - first];
    }
};

const NarrowTable& narrowTable()
{
    static const NarrowTable table;
    return table;
}

// Half-width form of a full-width ASCII character, or 0.
char16_t narrowAscii(char16_t c)
{
    if (c >= 0xFF01 && c <= 0xFF5E) return static_cast<char16_t>(c - 0xFF01 + 0x21);
    if (c == kIdeographicSpace) return u' ';
    if (c == kWideApostrophe) return u'\'';
    if (c == kWideQuote) return u'"';
    if (c == 0xFFE5) return u'\\';  // ￥, the full-width form of the CP932 backslash
    return 0;
}

bool needsNarrowing(char16_t c)
{
    return narrowAscii(c) != 0 || narrowTable().find(c) != nullptr;
}

char16_t wideAscii(char16_t c)
{
    if (c == u' ') return kIdeographicSpace;
    if (c == u'\'') return kWideApostrophe;
    if (c == u'"') return kWideQuote;
    if (c > 0x20 && c < 0x7F) return static_cast<char16_t>(c - 0x21 + 0xFF01);
    return 0;
}

}  // namespace

QString ToWide(const QString& text)
{
    QString result;
    result.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text[i].unicode();
        if (char16_t w = wideAscii(c)) {
            result.append(QChar(w));
        } else if (isHalfKana(c)) {
            const char16_t next = i + 1 < n ? text[i + 1].unicode() : 0;
            if (next == kHalfDakuten && takesDakuten(c)) {
                result.append(QChar(c == 0xFF73 ? char16_t(0x30F4) : char16_t(wideKana(c) + 1)));
                ++i;
            } else if (next == kHalfHandakuten && takesHandakuten(c)) {
                result.append(QChar(char16_t(wideKana(c) + 2)));
                ++i;
            } else {
                result.append(QChar(wideKana(c)));
            }
        } else {
            result.append(QChar(c));
        }
    }
    return result;
}

QString ToNarrow(const QString& text)
{
    // Most texts read from files are already half-width: share them instead of copying.
    qsizetype first = 0;
    while (first < text.size() && !needsNarrowing(text[first].unicode())) ++first;
    if (first == text.size()) return text;

    QString result;
    result.reserve(text.size() + 4);
    result.append(QStringView(text).left(first));
    for (qsizetype i = first; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (char16_t a = narrowAscii(c)) {
            result.append(QChar(a));
        } else if (const NarrowKana* k = narrowTable().find(c)) {
            result.append(QChar(k->base));
            if (k->mark) result.append(QChar(k->mark));
        } else {
            result.append(QChar(c));
        }
    }
    return result;
}

QString ToUpper(const QString& text)
{
    return text.toUpper();
}

}  // namespace CbasGeneral
