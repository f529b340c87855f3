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
