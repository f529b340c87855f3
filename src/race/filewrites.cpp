// Writing files so that a failed write never destroys one: through a temporary file renamed
// over the target, into pipes and devices as they are, following symbolic links only as far as
// the rule allows; and the checks of where a path leads and why a folder takes no file.
#include "race/pathutil.h"

#include "race/textcodec.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace CbasGeneral {

namespace {

// The path at the end of a chain of symbolic links (the path itself when it is none); a chain
// too long to be real (a loop) gives an empty path.
QString followLinks(const QString& path)
{
    constexpr int MaxLinks = 40;
    QFileInfo info(path);
    for (int hop = 0; hop < MaxLinks; ++hop) {
        if (!info.isSymLink()) return info.filePath();
        info = QFileInfo(info.symLinkTarget());
    }
    return QString();
}

// The folder itself with its links resolved as the system resolves them ("link/.." is the
// folder above the link's target, not the link's own folder), or made absolute and cleaned as
// text when it does not exist.
QString resolvedFolder(const QString& folder)
{
    char resolved[PATH_MAX];
    const QString base = folder.isEmpty() ? QStringLiteral(".") : folder;
    if (::realpath(QFile::encodeName(base).constData(), resolved))
        return QFile::decodeName(resolved);
    return QDir::cleanPath(QDir::current().absoluteFilePath(base));
}

// The folder part of the path as written ("/" for a file in the root, "." for a bare name).
QString folderPart(const QString& path)
{
    const qsizetype slash = path.lastIndexOf(u'/');
    if (slash < 0) return QStringLiteral(".");
    return slash == 0 ? QStringLiteral("/") : path.left(slash);
}

// The path with the links of its folder resolved.
QString resolvedPath(const QString& path)
{
    return QDir::cleanPath(resolvedFolder(folderPart(path)) + u'/' +
                           path.mid(path.lastIndexOf(u'/') + 1));
}

bool isBelow(const QString& folder, const QString& path)
{
    if (folder == u"/") return path.startsWith(u'/') && path.size() > 1;
    return path.startsWith(folder + u'/') && path.size() > folder.size() + 1;
}

FileWrite failed(FileWrite outcome, FileProblem problem)
{
    SetLastWriteError({problem, 0});
    return outcome;
}

FileWrite failedWithErrno(FileWrite outcome, int error)
{
    SetLastWriteError(FileErrorFromErrno(error));
    return outcome;
}

// Writes every byte to the descriptor; the errno of the failure, or 0.
int writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n =
            ::write(fd, data, static_cast<size_t>(std::min<qsizetype>(left, 1 << 30)));
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        data += n;
        left -= n;
    }
    return 0;
}

// A new file beside the target, named after it, that nobody else has opened; -1 with errno set
// when none can be created. It gets the permissions the user's umask gives a new file.
int createTemporary(const QByteArray& target, QByteArray& temporary)
{
    const qsizetype slash = target.lastIndexOf('/');
    const QByteArray folder = target.left(slash + 1);
    const QByteArray name = target.mid(slash + 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary = folder + '.' + name + '.' +
                    QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// Writes a regular file (or a new one) through a temporary file renamed over it. The file keeps
// the permissions it had. The data reach the disk before the rename, so a crash never leaves
// an empty file under the name.
FileWrite writeReplacing(const QString& path, const struct stat* existing, const QByteArray& bytes)
{
    const QByteArray target = QFile::encodeName(path);
    QByteArray temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) return failedWithErrno(FileWrite::NotCreated, errno);
    if (existing) ::fchmod(fd, existing->st_mode & 07777);
    int error = writeAll(fd, bytes);
    // A file system that cannot sync (some network or special ones) says EINVAL; that is no
    // reason to give up the file.
    if (error == 0 && ::fsync(fd) != 0 && errno != EINVAL && errno != EROFS) error = errno;
    if (::close(fd) != 0 && error == 0 && errno != EINTR) error = errno;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0) error = errno;
    if (error == 0) return FileWrite::Written;
    ::unlink(temporary.constData());
    return failedWithErrno(FileWrite::Broken, error);
}

// Writes into a pipe or character device as it is. The open never waits: a pipe without a
// reader is refused at once (ENXIO) rather than blocking the writer until someone reads.
FileWrite writeInto(const QString& path, const QByteArray& bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return failedWithErrno(FileWrite::NotCreated, errno);
    // A reader is there: it takes the bytes at its own pace.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags >= 0) ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const int error = writeAll(fd, bytes);
    ::close(fd);
    return error == 0 ? FileWrite::Written : failedWithErrno(FileWrite::Broken, error);
}

// Whether the regular file of that size holds exactly the bytes.
bool holdsBytes(const QString& path, qint64 size, const QByteArray& bytes)
{
    if (size != bytes.size()) return false;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered)) return false;
    return file.readAll() == bytes;
}

}  // namespace

FileWrite WriteFileIfChanged(const QString& path, const QByteArray& bytes, LinkRule links)
{
    SetLastWriteError({});
    if (path.isEmpty()) return FileWrite::NotCreated;
    struct stat status {};
    const bool found = ::lstat(QFile::encodeName(path).constData(), &status) == 0;
    // A regular file (not a link to one) that already holds the bytes is left as it is.
    if (found && S_ISREG(status.st_mode) && holdsBytes(path, status.st_size, bytes))
        return FileWrite::Unchanged;
    QString target = path;
    if (found && S_ISLNK(status.st_mode)) {
        target = followLinks(path);
        if (target.isEmpty()) return failedWithErrno(FileWrite::NotCreated, ELOOP);
        if (links == LinkRule::StayInFolder &&
            !isBelow(resolvedFolder(folderPart(path)), resolvedPath(target)))
            return failed(FileWrite::NotCreated, FileProblem::LinkLeavesFolder);
    }
    if (::stat(QFile::encodeName(target).constData(), &status) != 0) {
        if (errno != ENOENT) return failedWithErrno(FileWrite::NotCreated, errno);
        return writeReplacing(target, nullptr, bytes);
    }
    if (S_ISREG(status.st_mode)) return writeReplacing(target, &status, bytes);
    if (S_ISDIR(status.st_mode)) return failed(FileWrite::NotCreated, FileProblem::IsFolder);
    if (S_ISFIFO(status.st_mode) || S_ISCHR(status.st_mode)) return writeInto(target, bytes);
    return failed(FileWrite::NotCreated, FileProblem::SpecialFile);
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes, LinkRule links)
{
    const FileWrite outcome = WriteFileIfChanged(path, bytes, links);
    return outcome == FileWrite::Written || outcome == FileWrite::Unchanged;
}

bool WriteTextFileAtomic(const QString& path, const QString& text, LinkRule links)
{
    return WriteFileBytes(path, TextCodec::toCp932(text), links);
}

bool StaysInFolder(const QString& folder, const QString& path)
{
    const QString name = GetFileName(path);
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    return isBelow(resolvedFolder(folder), resolvedPath(path));
}

FileError FolderWriteProblem(const QString& folder)
{
    const QString base = folder.isEmpty() ? QStringLiteral(".") : RemovePathSeparator(folder);
    struct stat status {};
    if (::stat(QFile::encodeName(base).constData(), &status) != 0) return FileErrorFromErrno(errno);
    if (!S_ISDIR(status.st_mode)) return {FileProblem::NotAFolder, ENOTDIR};
    QByteArray probe;
    const int fd =
        createTemporary(QFile::encodeName(base + QStringLiteral("/.splitduel-probe")), probe);
    if (fd < 0) return FileErrorFromErrno(errno);
    // One byte shows a full disk, which an empty file would not.
    const int error = writeAll(fd, QByteArray(1, ' '));
    ::close(fd);
    ::unlink(probe.constData());
    return FileErrorFromErrno(error);
}

FileError WriteErrorIn(const QString& folder)
{
    const FileError last = LastWriteError();
    return last ? last : FolderWriteProblem(folder);
}

}  // namespace CbasGeneral
