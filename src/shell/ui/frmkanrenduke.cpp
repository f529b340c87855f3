#include "shell/ui/frmkanrenduke.h"

#include "config/settings.h"
#include "config/ui/modal.h"
#include "shell/fileassociation.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

frmKanrenduke::frmKanrenduke(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("SplitDuel"));
    setModal(true);

    Image1 = new QLabel(this);
    Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(32, 32));
    Label1 = new QLabel(
        QStringLiteral("SplitDuel用ファイル （拡張子 .lap .sda） をSplitDuelに関連づけますか？"),
        this);
    Label1->setWordWrap(true);
    cmbOK = new QPushButton(QStringLiteral("はい"), this);
    cmbCancel = new QPushButton(QStringLiteral("いいえ"), this);
    cmbOK->setDefault(true);

    auto* question = new QHBoxLayout;
    question->addWidget(Image1, 0, Qt::AlignTop);
    question->addWidget(Label1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmbOK);
    buttons->addWidget(cmbCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(question);
    layout->addLayout(buttons);

    connect(cmbOK, &QPushButton::clicked, this, &frmKanrenduke::cmbOK_Click);
    connect(cmbCancel, &QPushButton::clicked, this, &frmKanrenduke::cmbCancel_Click);
}

void frmKanrenduke::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QApplication::beep();
}

// The setting stays as it is, so the next start checks again and finds the association.
void frmKanrenduke::cmbOK_Click()
{
    RegisterFileAssociations();
    accept();
}

// Declining is remembered for good.
void frmKanrenduke::cmbCancel_Click()
{
    IniFile& settings = basSettings::SettingsFile();
    settings.setItem(QStringLiteral("Kanrenduke"), QStringLiteral("False"));
    settings.Save();
    reject();
}

void PlaceOverOwner(QDialog& dialog, QWidget* owner)
{
    if (!owner) return;
    // At start-up the main window is not on the screen yet; it comes first, so that the
    // question has a window to stand on.
    if (!owner->isVisible()) owner->show();
    dialog.adjustSize();
    QRect frame = dialog.frameGeometry();
    frame.moveCenter(owner->frameGeometry().center());
    dialog.move(frame.topLeft());
}

void CheckFileAssociation(QWidget* owner)
{
    if (IsOffscreen() || !AssociationNeedsAsking()) return;
    frmKanrenduke dialog(owner);
    PlaceOverOwner(dialog, owner);
    ExecModal(dialog);
}
