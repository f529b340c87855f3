#include "common/testsupport.h"
#include "common/xdgsandbox.h"
#include "config/registry.h"
#include "config/settings.h"
#include "shell/desktopentry.h"
#include "shell/fileassociation.h"
#include "shell/mimeglobs.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>

namespace {

QString readUtf8(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromUtf8(file.readAll());
}

}  // namespace

TEST(DesktopExecTest, TheProgramPathIsQuotedAndComesBackWhole)
{
    EXPECT_EQ(DesktopEntry::ExecLine(QStringLiteral("/opt/Split Duel/SplitDuel")),
              QStringLiteral("\"/opt/Split Duel/SplitDuel\" %f"));
    for (const QString& path : {QStringLiteral("/opt/Split Duel/SplitDuel"),
                                QStringLiteral("/home/a\"b/$HOME/`x`/100%/back\\slash/SplitDuel"),
                                QStringLiteral("/ラップ 解析/SplitDuel")}) {
        const QStringList args = DesktopEntry::ExecArguments(DesktopEntry::ExecLine(path));
        ASSERT_EQ(args.size(), 2) << path.toStdString();
        EXPECT_EQ(args[0], path);
        EXPECT_EQ(args[1], QStringLiteral("%f"));
    }
}

TEST(DesktopExecTest, ExecLinesWrittenByOthersAreSplitByTheDesktopRules)
{
    EXPECT_EQ(DesktopEntry::ExecArguments(QStringLiteral("gedit --new-window %U")),
              (QStringList{"gedit", "--new-window", "%U"}));
    EXPECT_EQ(DesktopEntry::ExecArguments(QStringLiteral("\"/a b/prog\"  -x\\sy \"%%d\"")),
              (QStringList{"/a b/prog", "-x", "y", "%d"}));
    EXPECT_EQ(DesktopEntry::ExecArguments(QString()), QStringList());
}

class FileAssociationTest : public RaceTest {
protected:
    void SetUp() override
    {
        RaceTest::SetUp();
        if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty() ||
            QStandardPaths::findExecutable(QStringLiteral("update-mime-database")).isEmpty()) {
            GTEST_SKIP() << "xdg-utils and shared-mime-info are needed (scripts/setup.sh)";
        }
    }
    // An existing file of that name, as the desktop would be asked about it.
    QString sample(const QString& name)
    {
        const QString path = tempPath(name);
        testsupport::writeCp932(path, QString());
        return path;
    }
    XdgSandbox sandbox_;
};

TEST_F(FileAssociationTest, AFreshDesktopNeedsAskingUnlessTheUserDeclined)
{
    EXPECT_EQ(CbasWinAPI::FindAssociatedProgram(sample(QStringLiteral("a.lap"))), QString());
    EXPECT_TRUE(AssociationNeedsAsking());
    // Only the exact text "False" stops the check.
    basSettings::SettingsFile().setItem(QStringLiteral("Kanrenduke"), QStringLiteral("false"));
    EXPECT_TRUE(AssociationNeedsAsking());
    basSettings::SettingsFile().setItem(QStringLiteral("Kanrenduke"), QStringLiteral("False"));
    EXPECT_FALSE(AssociationNeedsAsking());
}

TEST_F(FileAssociationTest, RegistrationMakesTheProgramOpenBothTypes)
{
    RegisterFileAssociations();

    const QString entry = FileAssociation::DesktopEntryPath();
    EXPECT_EQ(entry, sandbox_.dataHome() + QStringLiteral("/applications/splitduel.desktop"));
    const QString desktop = readUtf8(entry);
    EXPECT_TRUE(desktop.contains(QStringLiteral("\nExec=\"") + sandbox_.programPath() +
                                 QStringLiteral("\" %f\n")))
        << desktop.toStdString();
    EXPECT_TRUE(desktop.contains(QStringLiteral(
        "MimeType=application/x-splitduel-lapdata;application/x-splitduel-automation;")));

    const QString package = readUtf8(FileAssociation::MimePackagePath());
    for (const char* part :
         {"<comment>ラップデータ</comment>", "pattern=\"*.lap\"",
          "<comment>SplitDuel自動処理スクリプト</comment>", "pattern=\"*.sda\""}) {
        EXPECT_TRUE(package.contains(QString::fromUtf8(part))) << part;
    }

    // Found through the desktop's own look-up, with the blanks of the program folder intact.
    EXPECT_EQ(CbasWinAPI::FindAssociatedProgram(sample(QStringLiteral("race.lap"))),
              sandbox_.programPath());
    EXPECT_EQ(CbasWinAPI::FindAssociatedProgram(sample(QStringLiteral("LIVE.SDA"))),
              sandbox_.programPath());
    EXPECT_FALSE(AssociationNeedsAsking());
    // The setting is left as it was, so the next start checks again.
    EXPECT_EQ(basSettings::SettingsFile().Item(QStringLiteral("Kanrenduke")), QString());
}

TEST_F(FileAssociationTest, AnAssociationWithAnotherCopyOfTheProgramIsOfferedAgain)
{
    RegisterFileAssociations();
    basSettings::OverrideProgramPath(sandbox_.path(QStringLiteral("new place/SplitDuel")));
    EXPECT_TRUE(AssociationNeedsAsking());
    RegisterFileAssociations();
    EXPECT_FALSE(AssociationNeedsAsking());
}

TEST_F(FileAssociationTest, OnlyExistingFilesHaveAnAssociatedProgram)
{
    RegisterFileAssociations();
    EXPECT_EQ(CbasWinAPI::FindAssociatedProgram(tempPath(QStringLiteral("missing.lap"))),
              QString());
    EXPECT_EQ(CbasWinAPI::FindAssociatedProgram(sample(QStringLiteral("notes.unknownext"))),
              QString());
}

TEST_F(FileAssociationTest, OurGlobsOutweighAnOlderTypeOfTheSameExtension)
{
    const QString before = MimeGlobs::MimeTypeForFileName(QStringLiteral("x.sda"));
    RegisterFileAssociations();
    EXPECT_EQ(MimeGlobs::MimeTypeForFileName(QStringLiteral("x.sda")),
              QStringLiteral("application/x-splitduel-automation"));
    EXPECT_EQ(MimeGlobs::MimeTypeForFileName(QStringLiteral("/dir/X.Lap")),
              QStringLiteral("application/x-splitduel-lapdata"));
    // Other types are untouched.
    EXPECT_EQ(MimeGlobs::MimeTypeForFileName(QStringLiteral("page.html")),
              QStringLiteral("text/html"));
    EXPECT_NE(before, QStringLiteral("application/x-splitduel-automation"));
}
