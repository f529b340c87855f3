#include "race/textutil.h"

#include <gtest/gtest.h>

#include <climits>

using namespace CbasGeneral;

TEST(GetField, SplitsAtEveryDelimiter)
{
    EXPECT_EQ(GetField("a,,b", 1, ","), "a");
    EXPECT_EQ(GetField("a,,b", 2, ","), "");
    EXPECT_EQ(GetField("a,,b", 3, ","), "b");
    EXPECT_EQ(GetField("a,,b", 4, ","), "");
    EXPECT_EQ(GetField("abc", 1, ","), "abc");
    EXPECT_EQ(GetField("abc", 2, ","), "");
    EXPECT_EQ(GetField("a,b,", 3, ","), "");
    EXPECT_EQ(GetField(" a , b ", 2, ","), " b ");    // nothing trimmed
    EXPECT_EQ(GetField("\"a,b\",c", 2, ","), "b\"");  // quotes mean nothing
    EXPECT_EQ(GetField("a<>b<>c", 3, "<>"), "c");
    EXPECT_EQ(GetField("a,b", 0, ","), "");
    EXPECT_EQ(GetField("a,b", -1, ","), "");
    EXPECT_EQ(GetField("", 1, ","), "");
    EXPECT_EQ(GetField("a,b", 1, ""), "");
    EXPECT_EQ(CountFields("a,,b", ","), 3);
    EXPECT_EQ(CountFields("", ","), 0);
    EXPECT_EQ(CountFields("abc", ""), 1);
}

TEST(TextPieces, CountRemoveQuotesAndCut)
{
    EXPECT_EQ(CountText("aaaa", "aa"), 2);
    EXPECT_EQ(CountText("aAa", "a"), 2);
    EXPECT_EQ(CountText("abc", ""), 0);
    EXPECT_EQ(RemoveText("1,234,567", ","), "1234567");
    EXPECT_EQ(RemoveText("abc", ""), "abc");
    EXPECT_EQ(AddQuotes("abc"), "\"abc\"");
    EXPECT_EQ(AddQuotes("\"abc"), "\"\"abc\"");
    EXPECT_EQ(AddQuotes("\"abc\""), "\"abc\"");
    EXPECT_EQ(AddQuotes(""), "\"\"");
    EXPECT_EQ(RemoveQuotes("\"abc\""), "abc");
    EXPECT_EQ(RemoveQuotes("\"\""), "");
    EXPECT_EQ(RemoveQuotes("\""), "\"");
    EXPECT_EQ(RemoveQuotes("\"abc"), "\"abc");
    EXPECT_EQ(CutRight("abc,", 1, ","), "abc");
    EXPECT_EQ(CutRight("abc", 1, ","), "abc");
    EXPECT_EQ(CutRight("abc", 2, ""), "a");
    EXPECT_EQ(CutRight("abc", 5, ""), "");
    EXPECT_EQ(CutRight("abc", 0, ""), "abc");
}

TEST(Spaces, StripAndTrim)
{
    EXPECT_EQ(StripSpaces(QStringLiteral(" 山 田\u3000太郎 ")), QStringLiteral("山田太郎"));
    EXPECT_EQ(StripSpaces(QString::fromLatin1("a\0b", 3)), "ab");
    EXPECT_EQ(StripSpaces("abc"), "abc");
    EXPECT_EQ(Trim("  a b  "), "a b");
    EXPECT_EQ(Trim(QStringLiteral("\u3000a\t")), QStringLiteral("\u3000a\t"));
    EXPECT_EQ(Trim("   "), "");
}

// Names as pages and files show them: Japanese names lose every blank, words of Latin letters
// and digits keep one half-width space between them.
TEST(Spaces, CompactNamesKeepOneSpaceBetweenLatinWords)
{
    const struct {
        const char* name;
        const char* shown;
    } cases[] = {
        {"Alessio Tenani", "Alessio Tenani"},
        {" Ed  Catmur ", "Ed Catmur"},
        {"Erik\u3000Ögren", "Erik Ögren"},  // accented letters are Latin too
        {"Team 3", "Team 3"},               // digits
        {"ＪＯＹ　２", "ＪＯＹ ２"},        // full-width Latin letters and digits
        {"山田 太郎", "山田太郎"},
        {"山田　Taro", "山田Taro"},  // a space next to a kanji goes
        {"Loic  CAPBERN\u3000(FRA)", "Loic CAPBERN(FRA)"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CompactName(QString::fromUtf8(c.name)), QString::fromUtf8(c.shown)) << c.name;
    EXPECT_EQ(CompactName(QString::fromLatin1("a\0 \0b", 5)), "a b");
}

TEST(Spaces, CsvFieldsHoldNoComma)
{
    EXPECT_EQ(CsvField(QStringLiteral("Club, Inc.,")), QStringLiteral("Club， Inc.，"));
    EXPECT_EQ(CsvField(QStringLiteral("朝霧ＯＬＣ")), QStringLiteral("朝霧ＯＬＣ"));
}

TEST(AnsiWidth, CountsAndCutsCp932Bytes)
{
    EXPECT_EQ(AnsiLength(QStringLiteral("ab東ｶ")), 5);
    EXPECT_EQ(AnsiMid(QStringLiteral("ab東京cd"), 1, 4), QStringLiteral("ab東"));
    EXPECT_EQ(AnsiMid(QStringLiteral("ab東京cd"), 1, 3), QStringLiteral("ab "));
    EXPECT_EQ(AnsiMid(QStringLiteral("ab東京cd"), 3, 4), QStringLiteral("東京"));
    EXPECT_EQ(AnsiMid(QStringLiteral("ab東京cd"), 4, 4), QStringLiteral(" 京c"));
    EXPECT_EQ(AnsiMid(QStringLiteral("ab東京cd"), 7, 10), QStringLiteral("cd"));
    EXPECT_EQ(AnsiMid(QStringLiteral("abc"), 5, 2), QString());
    EXPECT_EQ(AnsiMid(QStringLiteral("a😀b"), 2, 2), QStringLiteral("😀b"));
}

TEST(AnsiWidth, FitWidthPadsOrCuts)
{
    EXPECT_EQ(FitWidth(QStringLiteral("東京大学校"), 7, false, false), QStringLiteral("東京大 "));
    EXPECT_EQ(FitWidth("abc", 5, false, false), "abc  ");
    EXPECT_EQ(FitWidth("abc", 5, true, false), "  abc");
    EXPECT_EQ(FitWidth(" abc ", 5, true, true), "  abc");
    EXPECT_EQ(FitWidth(" abc ", 4, true, false), " abc");
    EXPECT_EQ(FitWidth(QStringLiteral("東"), 3, true, false), QStringLiteral(" 東"));
}

TEST(Width, NarrowAndWideAscii)
{
    EXPECT_EQ(ToNarrow(QStringLiteral("ＡＢＣ１２３：　－～")), "ABC123: -~");
    EXPECT_EQ(ToNarrow(QStringLiteral("’”＂＇")), "'\"\"'");
    EXPECT_EQ(ToWide("Ab1: "), QStringLiteral("Ａｂ１：\u3000"));
    EXPECT_EQ(ToWide("'\""), QStringLiteral("’”"));
    EXPECT_EQ(ToNarrow(QStringLiteral("山田はなこ→")), QStringLiteral("山田はなこ→"));
}

TEST(Width, KatakanaJoinsAndSplitsItsMarks)
{
    EXPECT_EQ(ToWide(QStringLiteral("ｶﾞｯｺｳ ﾊﾟﾝ ｳﾞｧ")),
              QStringLiteral("ガッコウ\u3000パン\u3000ヴァ"));
    EXPECT_EQ(ToWide(QStringLiteral("ｱﾞﾟ｡｢｣､･ｰ")), QStringLiteral("ア゛゜。「」、・ー"));
    EXPECT_EQ(ToNarrow(QStringLiteral("ガッコウ パン ヴァ ポ")),
              QStringLiteral("ｶﾞｯｺｳ ﾊﾟﾝ ｳﾞｧ ﾎﾟ"));
    const QString all = QStringLiteral(
        "ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝ"
        "ｶﾞｷﾞｸﾞｹﾞｺﾞｻﾞｼﾞｽﾞｾﾞｿﾞﾀﾞﾁﾞﾂﾞﾃﾞﾄﾞﾊﾞﾋﾞﾌﾞﾍﾞﾎﾞﾊﾟﾋﾟﾌﾟﾍﾟﾎﾟ");
    EXPECT_EQ(ToWide(all).size(), 81);  // 56 plain + 25 joined
    EXPECT_EQ(ToNarrow(ToWide(all)), all);
    EXPECT_EQ(ToWide(QStringLiteral("ﾅﾞ")), QStringLiteral("ナ゛"));  // no voiced form
    EXPECT_EQ(ToUpper(QStringLiteral("abcｚé")), QStringLiteral("ABCＺÉ"));
}

TEST(Like, WildcardsIgnoringCase)
{
    EXPECT_TRUE(Like("race.LAP", "*.lap"));
    EXPECT_TRUE(Like("12:34", "##:##"));
    EXPECT_FALSE(Like("1a:34", "##:##"));
    EXPECT_FALSE(Like("12:345", "##:##"));
    EXPECT_TRUE(Like("abc", "a?c"));
    EXPECT_FALSE(Like("ac", "a?c"));
    EXPECT_TRUE(Like("abcbc", "a*bc"));
    EXPECT_TRUE(Like("", "*"));
    EXPECT_FALSE(Like("", "?"));
    EXPECT_TRUE(Like("M21A", "M[0-9]#[ABC]"));
    EXPECT_FALSE(Like("M21D", "M[0-9]#[ABC]"));
    EXPECT_TRUE(Like("M21d", "M21[!ABC]"));
    EXPECT_TRUE(Like("a[b", "a[b"));  // an unclosed list is a literal "["
    EXPECT_TRUE(Like("xaaaaaaaaaaaaaaaaaaaaaaab", "*a*a*a*a*a*b"));
    EXPECT_FALSE(Like("xaaaaaaaaaaaaaaaaaaaaaaac", "*a*a*a*a*a*b"));
}

TEST(Numbers, IsNumericValAndRounding)
{
    for (const char* yes : {"5", " 5 ", "-5", "+5", "1.5", ".5", "5.", "007"})
        EXPECT_TRUE(IsNumeric(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", " ", ".", "-", "1.2.3", "1,5", "12:34", "1e3", "5a", "- 5"})
        EXPECT_FALSE(IsNumeric(QString::fromLatin1(no))) << no;
    EXPECT_DOUBLE_EQ(Val("12abc"), 12);
    EXPECT_DOUBLE_EQ(Val("  -3.25m"), -3.25);
    EXPECT_DOUBLE_EQ(Val(".5"), 0.5);
    EXPECT_DOUBLE_EQ(Val("abc"), 0);
    EXPECT_DOUBLE_EQ(Val(""), 0);
    EXPECT_DOUBLE_EQ(Val("1:30"), 1);
    EXPECT_EQ(RoundHalfEven(2.5), 2);
    EXPECT_EQ(RoundHalfEven(3.5), 4);
    EXPECT_EQ(RoundHalfEven(-2.5), -2);
    EXPECT_EQ(RoundHalfEven(2.6), 3);
    EXPECT_EQ(RoundHalfEven(1e12), INT_MAX);
}
