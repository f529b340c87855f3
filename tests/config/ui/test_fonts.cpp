#include "common/testsupport.h"
#include "config/ui/fonts.h"

#include <QFontInfo>
#include <QFontMetrics>

namespace {

int advance(const QFont& font, const QString& text)
{
    return QFontMetrics(font).horizontalAdvance(text);
}

}  // namespace

TEST(FontsTest, TheGridFontIsReallyFixedPitch)
{
    for (int size : {9, 12}) {
        const QFont font = GridFont(size);
        EXPECT_EQ(QFontInfo(font).family(), QStringLiteral("IPAGothic"));
        const int half = advance(font, QStringLiteral("i"));
        ASSERT_GT(half, 0);
        EXPECT_EQ(advance(font, QStringLiteral("W")), half);
        EXPECT_EQ(advance(font, QStringLiteral(" ")), half);
        EXPECT_EQ(advance(font, QStringLiteral("ｱ")), half);  // half-width katakana
        EXPECT_EQ(advance(font, QStringLiteral("あ")), 2 * half);
        EXPECT_EQ(advance(font, QStringLiteral("ＭＳ")), 4 * half);
        // Columns stay aligned over a whole line, with no kerning between pairs.
        EXPECT_EQ(advance(font, QStringLiteral("AVAWi.1 東京 12:34")), 18 * half);
    }
}

TEST(FontsTest, TheProportionalFontShowsTheMeasureCanTellTheDifference)
{
    const QFont font(QStringLiteral("IPAPGothic"), 12);
    EXPECT_NE(advance(font, QStringLiteral("i")), advance(font, QStringLiteral("W")));
}

TEST(FontsTest, WindowsFontNamesMapToTheIpaFonts)
{
    InstallFontSubstitutions();
    const struct {
        const char* name;
        const char* family;
    } cases[] = {{"ＭＳ ゴシック", "IPAGothic"},
                 {"ＭＳ Ｐゴシック", "IPAPGothic"},
                 {"ＭＳ 明朝", "IPAMincho"},
                 {"ＭＳ Ｐ明朝", "IPAPMincho"}};
    for (const auto& c : cases) {
        EXPECT_EQ(QFontInfo(QFont(QString::fromUtf8(c.name), 12)).family(),
                  QString::fromUtf8(c.family))
            << c.name;
    }
}
