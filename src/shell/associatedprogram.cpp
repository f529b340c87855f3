#include "config/registry.h"
#include "shell/desktopentry.h"
#include "shell/externaltool.h"
#include "shell/mimeglobs.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace CbasWinAPI {

namespace {

// The desktop entry the desktop opens files of this type with ("splitduel.desktop").
QString DefaultApplication(const QString& mimeType)
{
    QString output;
    if (!ExternalTool::Run(QStringLiteral("xdg-mime"),
                           {QStringLiteral("query"), QStringLiteral("default"), mimeType},
                           &output)) {
        return QString();
    }
    return output.section(QLatin1Char('\n'), 0, 0).trimmed();
}

// A desktop file id names a file under an applications folder; "-" in the id may stand for a
// sub-folder ("vendor-app.desktop" as vendor/app.desktop).
QString LocateDesktopEntry(const QString& id)
{
    QString path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, id);
    for (int dash = id.indexOf(QLatin1Char('-')); path.isEmpty() && dash > 0;
         dash = id.indexOf(QLatin1Char('-'), dash + 1)) {
        QString nested = id;
        nested[dash] = QLatin1Char('/');
        path = QStandardPaths::locate(QStandardPaths::ApplicationsLocation, nested);
    }
    return path;
}

}  // namespace

QString FindAssociatedProgram(const QString& file)
{
    // The type is found from the name with the shared MIME database's own glob rules rather
    // than with "xdg-mime query filetype", whose fallback tools either ignore glob weights (so
    // a system type keeps ".sda") or look only at the contents.
    if (!QFileInfo(file).isFile()) return QString();
    const QString mimeType = MimeGlobs::MimeTypeForFileName(file);
    if (mimeType.isEmpty()) return QString();
    const QString id = DefaultApplication(mimeType);
    if (id.isEmpty()) return QString();
    const QString entry = LocateDesktopEntry(id);
    if (entry.isEmpty()) return QString();
    const QString program =
        DesktopEntry::ExecArguments(DesktopEntry::ReadKey(entry, QStringLiteral("Exec"))).value(0);
    if (program.isEmpty() || QDir::isAbsolutePath(program)) return program;
    return QStandardPaths::findExecutable(program);
}

}  // namespace CbasWinAPI
