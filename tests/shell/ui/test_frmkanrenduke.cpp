#include "common/testsupport.h"
#include "common/xdgsandbox.h"
#include "config/settings.h"
#include "shell/fileassociation.h"
#include "shell/ui/frmkanrenduke.h"

#include <QFile>
#include <QWidget>

#include <QLabel>
#include <QPushButton>
#include <QStandardPaths>
#include <cstdlib>

class KanrendukeTest : public RaceTest {
protected:
    QString iniText() const
    {
        return testsupport::readCp932(sandbox_.programFolder() + QStringLiteral("/SplitDuel.ini"));
    }
    XdgSandbox sandbox_;
};

TEST_F(KanrendukeTest, TheDialogAsksWithItsOwnTexts)
{
    frmKanrenduke dialog;
    EXPECT_EQ(
        dialog.Label1->text(),
        QStringLiteral("SplitDuel用ファイル （拡張子 .lap .sda） をSplitDuelに関連づけますか？"));
    EXPECT_EQ(dialog.cmbOK->text(), QStringLiteral("はい"));
    EXPECT_EQ(dialog.cmbCancel->text(), QStringLiteral("いいえ"));
    EXPECT_FALSE(dialog.Image1->pixmap().isNull());
}

TEST_F(KanrendukeTest, DecliningOnceStopsTheQuestionForGood)
{
    basSettings::LoadSettings();
    basSettings::SettingsFile().setItem(QStringLiteral("Kanrenduke"), QStringLiteral("True"));
    frmKanrenduke dialog;
    dialog.cmbCancel->click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    // Saved at once, not only at program end.
    EXPECT_TRUE(iniText().contains(QStringLiteral("\r\nKanrenduke=False\r\n")));
    EXPECT_FALSE(AssociationNeedsAsking());
    EXPECT_FALSE(QFile::exists(FileAssociation::DesktopEntryPath()));
}

TEST_F(KanrendukeTest, AcceptingRegistersAndLeavesTheSettingAlone)
{
    if (QStandardPaths::findExecutable(QStringLiteral("xdg-mime")).isEmpty()) {
        GTEST_SKIP() << "xdg-utils is needed (scripts/setup.sh)";
    }
    basSettings::LoadSettings();
    ASSERT_TRUE(AssociationNeedsAsking());
    frmKanrenduke dialog;
    dialog.cmbOK->click();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(QFile::exists(FileAssociation::DesktopEntryPath()));
    EXPECT_FALSE(iniText().contains(QStringLiteral("Kanrenduke")));
    EXPECT_FALSE(AssociationNeedsAsking());
}

// At start-up the main window is not shown yet: it comes first, and the question stands
// centred on it.
TEST_F(KanrendukeTest, TheQuestionStandsCentredOnTheMainWindow)
{
    QWidget owner;
    owner.setGeometry(300, 200, 520, 440);
    frmKanrenduke dialog(&owner);
    PlaceOverOwner(dialog, &owner);
    EXPECT_TRUE(owner.isVisible());
    const QPoint centre = dialog.frameGeometry().center();
    const QPoint wanted = owner.frameGeometry().center();
    EXPECT_LE(std::abs(centre.x() - wanted.x()), 1);
    EXPECT_LE(std::abs(centre.y() - wanted.y()), 1);
}
