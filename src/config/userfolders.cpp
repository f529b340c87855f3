#include "config/registry.h"

#include <QStandardPaths>

namespace CbasWinAPI {

QString SpecialFolderPath(int id)
{
    switch (id) {
        case FolderDesktop:
            return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        case FolderDocuments:
            return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        default:
            return QString();
    }
}

}  // namespace CbasWinAPI
