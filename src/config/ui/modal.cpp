#include "config/ui/modal.h"

#include <QGuiApplication>

namespace {
ModalWatcher& watcher()
{
    static ModalWatcher installed;
    return installed;
}
}  // namespace

bool IsOffscreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int ExecModal(QDialog& dialog)
{
    if (IsOffscreen()) {
        if (watcher()) watcher()(dialog);
        return QDialog::Rejected;
    }
    return dialog.exec();
}

void SetModalWatcher(ModalWatcher installed)
{
    watcher() = std::move(installed);
}
