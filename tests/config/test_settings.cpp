#include "common/testsupport.h"
#include "common/xdgsandbox.h"
#include "config/settings.h"
#include "race/textcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

using testsupport::readCp932;
using testsupport::writeCp932;

namespace {

const char* const kFirstRun =
    "WidthSkhClassInterval=10\r\n"
    "WidthSkhClassLabel=25\r\n"
    "WidthSkhLapLabel=22\r\n"
    "WidthSkhData=21\r\n"
    "WidthSkhDataAnaMode=19\r\n"
    "WidthSkhRank=5.5\r\n"
    "WidthSkhAnalyze=8\r\n"
    "WidthSkhDataInterval=2\r\n"
    "WidthSkhRowInterval=10\r\n"
    "HeightSkhNameDataInterval=5\r\n"
    "HeightSkhSecondDataInterval=1\r\n"
    "FontSkhClass=ＭＳ ゴシック,60,False,False\r\n"
    "FontSkhNamae=ＭＳ Ｐ明朝,12,False,False\r\n"
    "FontSkhNamaeLabel=ＭＳ ゴシック,12,False,False\r\n"
    "FontSkhShozoku=ＭＳ Ｐ明朝,9,False,False\r\n"
    "FontSkhShozokuLabel=ＭＳ ゴシック,9,False,False\r\n"
    "FontSkhData=ＭＳ Ｐ明朝,12,False,False\r\n"
    "FontSkhDataLabel=ＭＳ ゴシック,12,False,False\r\n"
    "FontSkhRank=ＭＳ 明朝,9,False,False\r\n"
    "FontSkhSecondData=ＭＳ Ｐ明朝,8,False,True\r\n"
    "FontSkhRelative=ＭＳ Ｐ明朝,8,False,True\r\n"
    "FontSkhMissTime=ＭＳ Ｐ明朝,8,False,False\r\n"
    "FontSkhSecondDataLabel=ＭＳ ゴシック,8,False,True\r\n"
    "Version=1\r\n";

}  // namespace

class SettingsTest : public RaceTest {
protected:
    QString iniPath() const { return sandbox_.programFolder() + QStringLiteral("/SplitDuel.ini"); }
    XdgSandbox sandbox_;
};

TEST_F(SettingsTest, FirstRunWritesThePrintDefaultsInOrderAndTheVersion)
{
    ASSERT_FALSE(QFile::exists(iniPath()));
    basSettings::LoadSettings();
    EXPECT_EQ(basSettings::SettingsFile().FileName(), iniPath());
    EXPECT_EQ(readCp932(iniPath()), QString::fromUtf8(kFirstRun));
    EXPECT_EQ(basSettings::SettingsFile().Item(QStringLiteral("widthskhrank")),
              QStringLiteral("5.5"));
}

TEST_F(SettingsTest, SecondRunKeepsChangedSettingsAndWritesNoDefaults)
{
    basSettings::LoadSettings();
    basSettings::SettingsFile().setItem(QStringLiteral("WidthSkhRank"), QStringLiteral("7"));
    basSettings::SettingsFile().setItem(QStringLiteral("HtmlFolder"), QStringLiteral("web"));

    basSettings::ResetSettings(sandbox_.programFolder());  // program end and a new start
    basSettings::LoadSettings();
    QString expected = QString::fromUtf8(kFirstRun);
    expected.replace(QStringLiteral("WidthSkhRank=5.5"), QStringLiteral("WidthSkhRank=7"));
    expected += QStringLiteral("HtmlFolder=web\r\n");
    EXPECT_EQ(readCp932(iniPath()), expected);
}

// The command line reads a key without creating or changing the settings file.
TEST_F(SettingsTest, StoredSettingOnlyReads)
{
    EXPECT_EQ(basSettings::StoredSetting(QStringLiteral("HomePageUrl")), QString());
    EXPECT_FALSE(QFile::exists(iniPath()));
    writeCp932(iniPath(), QStringLiteral("homepageurl= https://club.example/live/ \nVersion=0\n"));
    EXPECT_EQ(basSettings::StoredSetting(QStringLiteral("HomePageUrl")),
              QStringLiteral("https://club.example/live/"));
    EXPECT_EQ(readCp932(iniPath()),
              QStringLiteral("homepageurl= https://club.example/live/ \r\nVersion=0\r\n"));
}

TEST_F(SettingsTest, AVersionBelowOneCountsAsFirstRun)
{
    writeCp932(iniPath(), QStringLiteral("Version=0.9\nWidthSkhData=30\nHtmlFolder=web\n"));
    basSettings::LoadSettings();
    const QString text = readCp932(iniPath());
    EXPECT_TRUE(text.startsWith(QStringLiteral(
        "Version=1\r\nWidthSkhData=21\r\nHtmlFolder=web\r\nWidthSkhClassInterval=10\r\n")))
        << text.toStdString();
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 25);
}

TEST_F(SettingsTest, OnlyTheSplitSheetModeWritesDefaults)
{
    using basSettings::DefaultSettings;
    basSettings::SettingsFile();
    basSettings::WriteDefaultPrintSettings(DefaultSettings::Nothing);
    basSettings::WriteDefaultPrintSettings(static_cast<DefaultSettings>(2));
    EXPECT_EQ(readCp932(iniPath()), QString());
    basSettings::WriteDefaultPrintSettings(DefaultSettings::SplitSheetPrint);
    EXPECT_EQ(readCp932(iniPath()).count(QStringLiteral("\r\n")), 23);
}

TEST_F(SettingsTest, ProgramPathIsTheRunningExecutableUnlessOverridden)
{
    EXPECT_EQ(basSettings::ProgramFolder(), sandbox_.programFolder());
    basSettings::OverrideProgramPath(QString());
    EXPECT_EQ(basSettings::ProgramPath(), QCoreApplication::applicationFilePath());
    EXPECT_EQ(basSettings::ProgramFolder(), QCoreApplication::applicationDirPath());
}

// Without a test override the settings folder is chosen by whether the program folder can be
// written.
class SettingsFolderTest : public SettingsTest {
protected:
    void SetUp() override
    {
        SettingsTest::SetUp();
        basSettings::ResetSettings(QString());
    }
    QString userFolder() const { return sandbox_.configHome() + QStringLiteral("/SplitDuel"); }
};

TEST_F(SettingsFolderTest, AWritableProgramFolderHoldsTheSettings)
{
    EXPECT_EQ(basSettings::SettingsFolder(), sandbox_.programFolder());
}

TEST_F(SettingsFolderTest, AProgramFolderThatCannotBeWrittenFallsBackToTheUserConfiguration)
{
    // A folder below a plain file can be created by nobody, not even root.
    const QString blocker = sandbox_.path(QStringLiteral("blocker"));
    writeCp932(blocker, QStringLiteral("x"));
    basSettings::OverrideProgramPath(blocker + QStringLiteral("/bin/SplitDuel"));
    EXPECT_EQ(basSettings::SettingsFolder(), userFolder());

    basSettings::LoadSettings();
    EXPECT_EQ(basSettings::SettingsFile().FileName(),
              userFolder() + QStringLiteral("/SplitDuel.ini"));
    EXPECT_TRUE(readCp932(userFolder() + QStringLiteral("/SplitDuel.ini"))
                    .endsWith(QStringLiteral("Version=1\r\n")));
}

TEST_F(SettingsFolderTest, AReadOnlyProgramFolderFallsBackToTheUserConfiguration)
{
    QFile folder(sandbox_.programFolder());
    const auto permissions = folder.permissions();
    folder.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (QFileInfo(sandbox_.programFolder()).isWritable()) {
        folder.setPermissions(permissions);
        GTEST_SKIP() << "permissions are not enforced for this user";
    }
    EXPECT_EQ(basSettings::SettingsFolder(), userFolder());
    folder.setPermissions(permissions);
}

// A packaged program lives in /usr/bin, which root can write: its settings still go to the
// user's configuration, never beside the program.
TEST_F(SettingsFolderTest, AProgramInstalledUnderUsrKeepsItsSettingsInTheUserConfiguration)
{
    for (const char* program :
         {"/usr/bin/SplitDuel", "/usr/local/bin/SplitDuel", "/bin/SplitDuel"}) {
        basSettings::OverrideProgramPath(QString::fromUtf8(program));
        EXPECT_EQ(basSettings::SettingsFolder(), userFolder()) << program;
    }
    // A folder whose name merely begins like a system folder is the program's own.
    basSettings::OverrideProgramPath(sandbox_.path(QStringLiteral("usrlocal/SplitDuel")));
    QDir().mkpath(sandbox_.path(QStringLiteral("usrlocal")));
    EXPECT_EQ(basSettings::SettingsFolder(), sandbox_.path(QStringLiteral("usrlocal")));
}
