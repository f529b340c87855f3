#include "config/registry.h"

#include <QStandardPaths>

namespace CbasWinAPI {

QString SpecialFolderPath(SpecialFolder folder)
{
    switch (folder) {
        case SpecialFolder::Desktop:
            return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
        case SpecialFolder::Documents:
            return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    return QString();
}

}  // namespace CbasWinAPI
