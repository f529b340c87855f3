#include "reports/outputfolder.h"

#include "race/pathutil.h"

namespace basExport {

QString OutputFolderProblem(const QString& folder)
{
    const QString missing = QStringLiteral("出力フォルダがありません: ");
    if (folder.trimmed().isEmpty()) return missing + QStringLiteral("(指定されていません)");
    // Trying is the one sure test: permissions, read-only mounts and full disks all show here.
    const CbasGeneral::FileError problem = CbasGeneral::FolderWriteProblem(folder);
    switch (problem.problem) {
        case CbasGeneral::FileProblem::None:
            return QString();
        case CbasGeneral::FileProblem::NoFolder:
            return missing + folder;
        case CbasGeneral::FileProblem::NotAFolder:
            return missing + folder + QStringLiteral(" (フォルダではありません)");
        default:
            return QStringLiteral("出力フォルダに書き込めません: ") +
                   CbasGeneral::PathWithReason(folder, problem);
    }
}

}  // namespace basExport
