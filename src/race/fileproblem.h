#pragma once
// Why a file could not be written or read, in the user's words, and the messages that name the
// file together with that reason. Every writer reports through these, so that a full disk, a
// folder without write permission or a missing folder read the same in every window, script
// and command line.
#include <QString>

namespace CbasGeneral {

enum class FileProblem {
    None,
    NoSpace,           // the disk or the user's quota is full
    NoPermission,      // no right to write there
    NoReadPermission,  // reading: no right to read the file
    ReadOnly,          // a read-only file system
    NoFolder,          // the folder, or one above it, does not exist
    NotFound,          // reading: the file does not exist
    NotAFolder,        // a part of the path that must be a folder is something else
    IsFolder,          // the path names a folder
    TooLarge,          // past the largest file allowed
    NameTooLong,       // a name longer than the file system takes
    SpecialFile,       // a pipe without a reader, a socket or a device: never waited on
    LinkLeavesFolder,  // a symbolic link that leads out of the folder it sits in
    OutsideFolder,     // a name that leads out of the folder it was meant for
    Other,             // any other error of the system (systemError holds its number)
};

struct FileError {
    FileProblem problem = FileProblem::None;
    int systemError = 0;  // errno where the system reported one
    explicit operator bool() const { return problem != FileProblem::None; }
};

enum class FileAccess { Write, Read };

// The problem of the errno value of a failed open, write, rename or stat. Reading, ENOENT is a
// missing file and EACCES a file without read permission.
FileError FileErrorFromErrno(int error, FileAccess access = FileAccess::Write);
// The reason in Japanese ("空き容量がありません", "書き込み権限がありません",
// "フォルダがありません", …); empty for no problem.
QString FileProblemText(const FileError& error);
// "PATH (REASON)", or the path alone when there is no reason to give.
QString PathWithReason(const QString& path, const FileError& error);
// "ファイルを保存できませんでした: PATH (REASON)".
QString SaveFailureMessage(const QString& path, const FileError& error);

// The error of the last write on the calling thread through the writers of race/pathutil.h:
// no problem after a write that worked. Callers of functions that only tell success or failure
// read it to say why.
FileError LastWriteError();
void SetLastWriteError(const FileError& error);

}  // namespace CbasGeneral
