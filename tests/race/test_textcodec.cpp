#include "race/textcodec.h"

#include <gtest/gtest.h>

TEST(TextCodec, RoundTripsJapaneseAndWindowsOnlyCharacters)
{
    // ～ (U+FF5E) and － (U+FF0D) are the Windows forms; plain Shift_JIS maps them differently.
    const QString text = QStringLiteral("東京大学ＯＬＫ ｶﾀｶﾅ ～－ n/a →");
    QByteArray bytes = TextCodec::toCp932(text);
    EXPECT_EQ(TextCodec::fromCp932(bytes), text);
    EXPECT_EQ(TextCodec::toCp932(QStringLiteral("～")), QByteArray("\x81\x60"));
    EXPECT_EQ(TextCodec::toCp932(QStringLiteral("→")), QByteArray("\x81\xA8"));
    EXPECT_EQ(TextCodec::cp932Length(QStringLiteral("ab東ｶ")), 5);
}

TEST(TextCodec, InvalidBytesAndUnmappableCharactersNeverFail)
{
    // A lone lead byte at the end and an invalid byte in the middle.
    EXPECT_EQ(TextCodec::fromCp932(QByteArray("a\x81")), QStringLiteral("a\uFFFD"));
    EXPECT_EQ(TextCodec::fromCp932(QByteArray("a\xA0"
                                              "b")),
              QStringLiteral("a\uFFFDb"));
    EXPECT_EQ(TextCodec::toCp932(QStringLiteral("a😀b한")), QByteArray("a?b?"));
    EXPECT_TRUE(TextCodec::fromCp932(QByteArray()).isEmpty());
}

TEST(TextCodec, DetectsTheEncodingOfForeignFiles)
{
    using TextCodec::Encoding;
    struct Case {
        const char* what;
        QByteArray bytes;
        Encoding expected;
    };
    const Case cases[] = {
        {"ASCII", QByteArray("Stno;Name"), Encoding::Utf8},
        {"UTF-8 with BOM",
         QByteArray("\xEF\xBB\xBF"
                    "Catégorie"),
         Encoding::Utf8},
        {"UTF-8 without BOM", QStringLiteral("Förnamn;山田").toUtf8(), Encoding::Utf8},
        {"UTF-16 LE BOM",
         QByteArray("\xFF\xFE"
                    "a\0",
                    4),
         Encoding::Utf16LE},
        {"UTF-16 BE BOM", QByteArray("\xFE\xFF\0a", 4), Encoding::Utf16BE},
        {"Latin-1 letters", QByteArray("\xD6gren;Bergn\xE4sets AIK;Lule\xE5"), Encoding::Latin1},
        // "Ögren är" is also valid CP932 (a half-width katakana, a kanji), but without a lead
        // byte of 0x81..0x9F it stays Latin-1.
        {"Latin-1 that is valid CP932", QByteArray("\xD6gren \xE4r"), Encoding::Latin1},
        {"CP932 kana and kanji", TextCodec::toCp932(QStringLiteral("山田 たろう,東京OLK")),
         Encoding::Cp932},
        {"truncated UTF-8", QByteArray("abc\xE3\x81"), Encoding::Latin1},
        {"overlong UTF-8", QByteArray("\xC0\xAF"), Encoding::Latin1},
        {"UTF-8 surrogate", QByteArray("\xED\xA0\x80"), Encoding::Latin1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(TextCodec::detectEncoding(c.bytes), c.expected);
    }
}

TEST(TextCodec, DecodesByNameAndDropsTheByteOrderMark)
{
    using TextCodec::Encoding;
    EXPECT_EQ(TextCodec::encodingNamed(QStringLiteral("ISO-8859-1")), Encoding::Latin1);
    EXPECT_EQ(TextCodec::encodingNamed(QStringLiteral("utf-8")), Encoding::Utf8);
    EXPECT_EQ(TextCodec::encodingNamed(QStringLiteral("Shift_JIS")), Encoding::Cp932);
    EXPECT_EQ(TextCodec::encodingNamed(QStringLiteral("windows-31j")), Encoding::Cp932);
    EXPECT_FALSE(TextCodec::encodingNamed(QStringLiteral("EBCDIC")).has_value());

    EXPECT_EQ(TextCodec::decode(QByteArray("\xEF\xBB\xBF"
                                           "\xC3\xA9"),
                                Encoding::Utf8),
              QStringLiteral("é"));
    EXPECT_EQ(TextCodec::decode(QByteArray("\xFF\xFE"
                                           "a\0\xE9\0",
                                           6),
                                Encoding::Utf16LE),
              QStringLiteral("aé"));
    EXPECT_EQ(TextCodec::decode(QByteArray("Lule\xE5"), Encoding::Latin1), QStringLiteral("Luleå"));
    EXPECT_EQ(TextCodec::decode(TextCodec::toCp932(QStringLiteral("山田")), Encoding::Cp932),
              QStringLiteral("山田"));
}
