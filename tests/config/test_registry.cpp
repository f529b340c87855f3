#include "common/testsupport.h"
#include "common/xdgsandbox.h"
#include "config/registry.h"

#include <QDir>

using CbasWinAPI::RegistryRoot;
using testsupport::readCp932;

class RegistryTest : public RaceTest {
protected:
    XdgSandbox sandbox_;
};

TEST_F(RegistryTest, ValuesAreStoredUnderTheKeyPathInTheUserConfiguration)
{
    const QString key = QStringLiteral("SOFTWARE\\Brackwater\\SplitDuel");
    CbasWinAPI::SetRegistryString(RegistryRoot::LocalMachine, key, QStringLiteral("Version"),
                                  QStringLiteral("1.00"));
    CbasWinAPI::SetRegistryString(RegistryRoot::LocalMachine, key,
                                  QStringLiteral("Application Path"),
                                  QStringLiteral("/opt/Split Duel"));
    EXPECT_EQ(CbasWinAPI::RegistryFilePath(),
              sandbox_.configHome() + QStringLiteral("/Brackwater/SplitDuel.conf"));
    EXPECT_EQ(readCp932(CbasWinAPI::RegistryFilePath()),
              QStringLiteral("[HKEY_LOCAL_MACHINE\\SOFTWARE]\r\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwater]\r\n"
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Brackwater\\SplitDuel]\r\n"
                             "\"Version\"=\"1.00\"\r\n"
                             "\"Application Path\"=\"/opt/Split Duel\"\r\n"));
}

TEST_F(RegistryTest, KeysAndValueNamesIgnoreLetterCaseAndTextsRoundTrip)
{
    const QString text = QStringLiteral("\"C:\\Split Duel\\SplitDuel.exe\" \"%1\"");
    CbasWinAPI::CreateRegistryKey(RegistryRoot::ClassesRoot,
                                  QStringLiteral("SplitDuel.LapData\\shell\\open\\command"));
    CbasWinAPI::SetRegistryString(RegistryRoot::ClassesRoot,
                                  QStringLiteral("splitduel.lapdata\\Shell\\Open\\Command"),
                                  QString(), QStringLiteral("old"));
    CbasWinAPI::SetRegistryString(RegistryRoot::ClassesRoot,
                                  QStringLiteral("SplitDuel.LapData\\shell\\open\\command"),
                                  QString(), text);
    bool found = false;
    EXPECT_EQ(CbasWinAPI::RegistryString(RegistryRoot::ClassesRoot,
                                         QStringLiteral("SPLITDUEL.LAPDATA\\shell\\open\\command"),
                                         QString(), &found),
              text);
    EXPECT_TRUE(found);
    EXPECT_EQ(readCp932(CbasWinAPI::RegistryFilePath()).count(QStringLiteral("\r\n")), 5);
    // The same path under another root is another key.
    EXPECT_FALSE(CbasWinAPI::RegistryKeyExists(RegistryRoot::LocalMachine,
                                               QStringLiteral("SplitDuel.LapData")));
    EXPECT_TRUE(CbasWinAPI::RegistryKeyExists(RegistryRoot::ClassesRoot,
                                              QStringLiteral("SplitDuel.LapData\\shell")));
    CbasWinAPI::RegistryString(RegistryRoot::ClassesRoot, QStringLiteral("SplitDuel.LapData"),
                               QStringLiteral("missing"), &found);
    EXPECT_FALSE(found);
}

TEST_F(RegistryTest, AStoreThatCannotBeWrittenIsSkippedSilently)
{
    // The configuration "folder" is a plain file: nothing can be created below it.
    const QString blocker = sandbox_.path(QStringLiteral("blocker"));
    testsupport::writeCp932(blocker, QStringLiteral("x"));
    qputenv("XDG_CONFIG_HOME", blocker.toLocal8Bit());
    CbasWinAPI::SetRegistryString(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE"),
                                  QStringLiteral("Version"), QStringLiteral("1.00"));
    EXPECT_FALSE(
        CbasWinAPI::RegistryKeyExists(RegistryRoot::LocalMachine, QStringLiteral("SOFTWARE")));
}

TEST_F(RegistryTest, SpecialFoldersComeFromTheUserDirectories)
{
    const QString desktop = sandbox_.path(QStringLiteral("デスクトップ"));
    const QString documents = sandbox_.path(QStringLiteral("Docs"));
    QDir().mkpath(desktop);
    QDir().mkpath(documents);
    QFile dirs(sandbox_.configHome() + QStringLiteral("/user-dirs.dirs"));
    ASSERT_TRUE(dirs.open(QIODevice::WriteOnly));
    dirs.write(QStringLiteral("XDG_DESKTOP_DIR=\"%1\"\nXDG_DOCUMENTS_DIR=\"%2\"\n")
                   .arg(desktop, documents)
                   .toUtf8());
    dirs.close();
    EXPECT_EQ(CbasWinAPI::SpecialFolderPath(CbasWinAPI::SpecialFolder::Desktop), desktop);
    EXPECT_EQ(CbasWinAPI::SpecialFolderPath(CbasWinAPI::SpecialFolder::Documents), documents);
    EXPECT_EQ(CbasWinAPI::SpecialFolderPath(static_cast<CbasWinAPI::SpecialFolder>(3)), QString());
}
