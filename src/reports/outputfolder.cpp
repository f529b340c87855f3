#include "reports/outputfolder.h"

#include <QFileInfo>
#include <QTemporaryFile>

namespace basExport {

QString OutputFolderProblem(const QString& folder)
{
    const QString missing = QStringLiteral("出力フォルダがありません: ");
    if (folder.trimmed().isEmpty()) return missing + QStringLiteral("(指定されていません)");
    const QFileInfo info(folder);
    if (!info.exists()) return missing + folder;
    if (!info.isDir()) return missing + folder + QStringLiteral(" (フォルダではありません)");
    // Trying is the one sure test: permissions, read-only mounts and full disks all show here.
    QTemporaryFile probe(info.absoluteFilePath() + QStringLiteral("/.splitduel-XXXXXX"));
    if (!probe.open())
        return QStringLiteral("出力フォルダに書き込めません: ") + folder +
               QStringLiteral(" (ファイルを作成できません)");
    return QString();
}

}  // namespace basExport
