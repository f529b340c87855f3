#include "shell/ui/frmloadinfomation.h"

#include <QCoreApplication>
#include <QLabel>
#include <QVBoxLayout>

frmLoadInfomation::frmLoadInfomation(QWidget* owner) : QDialog(owner)
{
    setWindowTitle(QStringLiteral("しばらくお待ち下さい"));
    Label1 = new QLabel(QStringLiteral("ただいま読み込み中です"), this);
    Label2 = new QLabel(this);
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setMinimumWidth(200);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Label1, 0, Qt::AlignCenter);
    layout->addWidget(Label2);
}

void frmLoadInfomation::ShowInfomation(const QString& InfoMessage)
{
    Label2->setText(InfoMessage);
    repaint();
}

LoadWindowProgress::~LoadWindowProgress() = default;

void LoadWindowProgress::begin()
{
    window_ = std::make_unique<frmLoadInfomation>(owner_);
    window_->setModal(false);
    window_->show();
    // Let the window appear before the reader takes over the thread.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    window_->repaint();
}

void LoadWindowProgress::progress(const QString& text)
{
    if (window_) window_->ShowInfomation(text);
}

void LoadWindowProgress::end()
{
    if (!window_) return;
    // The owner appears before the loading window goes, so there is always a window open.
    if (owner_ && !owner_->isVisible()) owner_->show();
    window_->close();
    window_.reset();
    if (owner_) {
        owner_->activateWindow();
        owner_->setFocus();
    }
}
