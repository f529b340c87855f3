#include "common/testsupport.h"
#include "config/inifile.h"
#include "race/textcodec.h"

#include <QFile>

using testsupport::readCp932;
using testsupport::writeCp932;

class IniFileTest : public RaceTest {
protected:
    QString path() const { return tempPath(QStringLiteral("SplitDuel.ini")); }
};

TEST_F(IniFileTest, MissingFileIsCreatedEmptyAndNewKeysAreAppendedAtOnce)
{
    IniFile ini;
    ini.setFileName(path());
    EXPECT_EQ(ini.FileName(), path());
    EXPECT_TRUE(QFile::exists(path()));
    EXPECT_TRUE(testsupport::readBytes(path()).isEmpty());

    ini.setItem(QStringLiteral("HtmlFolder"), QStringLiteral("出力\\html"));
    ini.setItem(QStringLiteral("Version"), QStringLiteral("1"));
    // On disk before any Save, in CP932 with CR LF.
    EXPECT_EQ(testsupport::readBytes(path()),
              TextCodec::toCp932(QStringLiteral("HtmlFolder=出力\\html\r\nVersion=1\r\n")));
    EXPECT_EQ(ini.Item(QStringLiteral("Unknown")), QString());
}

TEST_F(IniFileTest, ValuesKeepEveryEqualsSignAfterTheFirstAndLoseOuterSpaces)
{
    writeCp932(path(),
               QStringLiteral("  History1 =  大会,C:\\a=b\\c.lap  \nFontSkhData=ＭＳ Ｐ明朝,12\n"));
    IniFile ini;
    ini.setFileName(path());
    EXPECT_EQ(ini.Item(QStringLiteral("History1")), QStringLiteral("大会,C:\\a=b\\c.lap"));
    EXPECT_EQ(ini.Item(QStringLiteral(" history1 ")), QStringLiteral("大会,C:\\a=b\\c.lap"));

    ini.setItem(QStringLiteral("  Key  "), QStringLiteral("  x = y  "));
    EXPECT_EQ(ini.Item(QStringLiteral("key")), QStringLiteral("x = y"));
    EXPECT_TRUE(readCp932(path()).endsWith(QStringLiteral("\r\nKey=x = y\r\n")));
}

TEST_F(IniFileTest, KeysDifferingInLetterCaseAreOneSettingSavedInFirstSeenOrder)
{
    writeCp932(path(), QStringLiteral("Version=1\nHistory1=a,/a.lap\nKanrenduke=True\n"));
    {
        IniFile ini;
        ini.setFileName(path());
        ini.setItem(QStringLiteral("KANRENDUKE"), QStringLiteral("False"));
        ini.setItem(QStringLiteral("version"), QStringLiteral("1.05"));
        // A changed key waits for Save; nothing was appended.
        EXPECT_EQ(readCp932(path()),
                  QStringLiteral("Version=1\r\nHistory1=a,/a.lap\r\nKanrenduke=True\r\n"));
        ini.setItem(QStringLiteral("HtmlFolder"), QStringLiteral("web"));
        ini.Save();
        EXPECT_EQ(readCp932(path()), QStringLiteral("Version=1.05\r\nHistory1=a,/a.lap\r\n"
                                                    "Kanrenduke=False\r\nHtmlFolder=web\r\n"));
    }
    IniFile again;
    again.setFileName(path());
    EXPECT_EQ(again.Item(QStringLiteral("kanrenduke")), QStringLiteral("False"));
}

TEST_F(IniFileTest, SaveRewritesOnlyAfterAChangeEvenToTheSameValue)
{
    writeCp932(path(), QStringLiteral("A=1\nB=2\n"));
    IniFile ini;
    ini.setFileName(path());
    // Someone else edits the file: an unchanged store leaves it alone...
    writeCp932(path(), QStringLiteral("A=1\nB=2\nC=3\n"));
    ini.Save();
    EXPECT_EQ(readCp932(path()), QStringLiteral("A=1\r\nB=2\r\nC=3\r\n"));
    // ...while setting an existing key, even to its value, rewrites it from memory.
    ini.setItem(QStringLiteral("b"), QStringLiteral("2"));
    ini.Save();
    EXPECT_EQ(readCp932(path()), QStringLiteral("A=1\r\nB=2\r\n"));
}

TEST_F(IniFileTest, DestructionSavesAChangedStore)
{
    writeCp932(path(), QStringLiteral("A=1\n"));
    {
        IniFile ini;
        ini.setFileName(path());
        ini.setItem(QStringLiteral("A"), QStringLiteral("2"));
    }
    EXPECT_EQ(readCp932(path()), QStringLiteral("A=2\r\n"));
}

TEST_F(IniFileTest, LinesThatAreNotSettingsAreSkippedAndTheFirstOfARepeatedKeyWins)
{
    writeCp932(path(), QStringLiteral("garbage\n\nA=first\n=orphan\na=second\nB=2\n"));
    IniFile ini;
    ini.setFileName(path());
    EXPECT_EQ(ini.Item(QStringLiteral("A")), QStringLiteral("first"));
    EXPECT_EQ(ini.Item(QString()), QString());
    ini.setItem(QStringLiteral("B"), QStringLiteral("3"));
    ini.Save();
    EXPECT_EQ(readCp932(path()), QStringLiteral("A=first\r\nB=3\r\n"));
}

TEST_F(IniFileTest, SecondFileNameRaisesTheErrorAndChangesNothing)
{
    writeCp932(path(), QStringLiteral("A=1\n"));
    const QString other = tempPath(QStringLiteral("other.ini"));
    writeCp932(other, QStringLiteral("A=2\n"));
    IniFile ini;
    ini.setFileName(path());
    try {
        ini.setFileName(other);
        FAIL() << "no error";
    } catch (const IniFileError& e) {
        EXPECT_EQ(e.number, 0x80040001L);
        EXPECT_EQ(e.description(), QStringLiteral("FileName プロパティは１回のみ設定可能です。"));
        EXPECT_STREQ(e.what(), "FileName プロパティは１回のみ設定可能です。");
    }
    EXPECT_EQ(ini.FileName(), path());
    EXPECT_EQ(ini.Item(QStringLiteral("A")), QStringLiteral("1"));
}

TEST_F(IniFileTest, HandEditedFilesWithBareLineFeedsOrNoLastLineEndStillWork)
{
    writeCp932(path(), QStringLiteral("A=1\nB=2"), false);
    IniFile ini;
    ini.setFileName(path());
    EXPECT_EQ(ini.Item(QStringLiteral("A")), QStringLiteral("1"));
    EXPECT_EQ(ini.Item(QStringLiteral("B")), QStringLiteral("2"));
    ini.setItem(QStringLiteral("C"), QStringLiteral("3"));  // must not join the line "B=2"
    EXPECT_EQ(readCp932(path()), QStringLiteral("A=1\nB=2\r\nC=3\r\n"));
}

TEST_F(IniFileTest, ALineBreakInAValueCannotForgeAnotherSetting)
{
    {
        IniFile ini;
        ini.setFileName(path());
        ini.setItem(QStringLiteral("History1"), QStringLiteral("x,/a\r\nKanrenduke=False"));
        ini.setItem(QStringLiteral("Bad=Key"), QStringLiteral("v"));
    }
    IniFile again;
    again.setFileName(path());
    EXPECT_EQ(again.Item(QStringLiteral("History1")), QStringLiteral("x,/a Kanrenduke=False"));
    EXPECT_EQ(again.Item(QStringLiteral("Kanrenduke")), QString());
    EXPECT_EQ(readCp932(path()), QStringLiteral("History1=x,/a Kanrenduke=False\r\n"));
}

// A lone CR ends a line like CR LF and LF: the value before it is "21", not "21\r", and stays so
// when a key is appended after it.
TEST_F(IniFileTest, LoneCarriageReturnsEndLinesAndAppendingKeepsEveryValue)
{
    writeCp932(path(), QStringLiteral("A=21\r\rB=x\rC=y\r\nD=z\n"), false);
    {
        IniFile ini;
        ini.setFileName(path());
        for (const char* key : {"A", "B", "C", "D"})
            EXPECT_FALSE(ini.Item(QString::fromLatin1(key)).contains(QLatin1Char('\r')));
        EXPECT_EQ(ini.Item(QStringLiteral("A")), QStringLiteral("21"));
        EXPECT_EQ(ini.Item(QStringLiteral("B")), QStringLiteral("x"));
        ini.setItem(QStringLiteral("E"), QStringLiteral("new"));
    }
    IniFile again;
    again.setFileName(path());
    EXPECT_EQ(again.Item(QStringLiteral("A")), QStringLiteral("21"));
    EXPECT_EQ(again.Item(QStringLiteral("D")), QStringLiteral("z"));
    EXPECT_EQ(again.Item(QStringLiteral("E")), QStringLiteral("new"));
}

// A key whose text has no CP932 form turns the store to UTF-8 with its byte-order mark, so the
// text comes back whole (a changed value does so when saved, see the history's tests).
TEST_F(IniFileTest, ANewKeyWithoutACp932FormComesBackWhole)
{
    const QString abroad = QStringLiteral("Göteborg ✓,/home/ø/race.lap");
    {
        IniFile ini;
        ini.setFileName(path());
        ini.setItem(QStringLiteral("History1"), QStringLiteral("春の大会,/r/b.lap"));
        ini.setItem(QStringLiteral("History2"), abroad);
    }
    EXPECT_TRUE(testsupport::readBytes(path()).startsWith("\xEF\xBB\xBF"));
    IniFile again;
    again.setFileName(path());
    EXPECT_EQ(again.Item(QStringLiteral("History2")), abroad);
    EXPECT_EQ(again.Item(QStringLiteral("History1")), QStringLiteral("春の大会,/r/b.lap"));
}
