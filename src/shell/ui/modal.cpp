#include "shell/ui/modal.h"

#include <QGuiApplication>

bool IsOffscreen()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

int ExecModal(QDialog& dialog)
{
    if (IsOffscreen()) return QDialog::Rejected;
    return dialog.exec();
}
