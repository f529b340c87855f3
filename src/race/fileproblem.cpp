#include "race/fileproblem.h"

#include <cerrno>

namespace CbasGeneral {

namespace {
thread_local FileError lastWriteError;
}  // namespace

FileError FileErrorFromErrno(int error, FileAccess access)
{
    switch (error) {
        case 0:
            return {};
        case ENOSPC:
        case EDQUOT:
            return {FileProblem::NoSpace, error};
        case EACCES:
        case EPERM:
            return {access == FileAccess::Read ? FileProblem::NoReadPermission
                                               : FileProblem::NoPermission,
                    error};
        case EROFS:
            return {FileProblem::ReadOnly, error};
        case ENOENT:
            return {access == FileAccess::Read ? FileProblem::NotFound : FileProblem::NoFolder,
                    error};
        case ENOTDIR:
            return {FileProblem::NotAFolder, error};
        case EISDIR:
            return {FileProblem::IsFolder, error};
        case EFBIG:
            return {FileProblem::TooLarge, error};
        case ENAMETOOLONG:
            return {FileProblem::NameTooLong, error};
        case ENXIO:
        case ENODEV:
        case EAGAIN:
            return {FileProblem::SpecialFile, error};
        default:
            return {FileProblem::Other, error};
    }
}

QString FileProblemText(const FileError& error)
{
    switch (error.problem) {
        case FileProblem::None:
            return QString();
        case FileProblem::NoSpace:
            return QStringLiteral("空き容量がありません");
        case FileProblem::NoPermission:
            return QStringLiteral("書き込み権限がありません");
        case FileProblem::NoReadPermission:
            return QStringLiteral("読み取り権限がありません");
        case FileProblem::ReadOnly:
            return QStringLiteral("読み取り専用の場所です");
        case FileProblem::NoFolder:
            return QStringLiteral("フォルダがありません");
        case FileProblem::NotFound:
            return QStringLiteral("ファイルがありません");
        case FileProblem::NotAFolder:
            return QStringLiteral("フォルダではありません");
        case FileProblem::IsFolder:
            return QStringLiteral("同じ名前のフォルダがあります");
        case FileProblem::TooLarge:
            return QStringLiteral("ファイルが大きすぎます");
        case FileProblem::NameTooLong:
            return QStringLiteral("名前が長すぎます");
        case FileProblem::SpecialFile:
            return QStringLiteral("通常のファイルではありません (パイプなど)");
        case FileProblem::LinkLeavesFolder:
            return QStringLiteral("フォルダの外を指すリンクです");
        case FileProblem::OutsideFolder:
            return QStringLiteral("フォルダの外になります");
        case FileProblem::Other:
            if (error.systemError == EIO) return QStringLiteral("入出力エラーが発生しました");
            if (error.systemError == ELOOP) return QStringLiteral("たどれないリンクです");
            return QStringLiteral("システムエラー %1").arg(error.systemError);
    }
    return QString();
}

QString PathWithReason(const QString& path, const FileError& error)
{
    const QString reason = FileProblemText(error);
    return reason.isEmpty() ? path : path + QStringLiteral(" (") + reason + QLatin1Char(')');
}

QString SaveFailureMessage(const QString& path, const FileError& error)
{
    return QStringLiteral("ファイルを保存できませんでした: ") + PathWithReason(path, error);
}

FileError LastWriteError()
{
    return lastWriteError;
}

void SetLastWriteError(const FileError& error)
{
    lastWriteError = error;
}

}  // namespace CbasGeneral
