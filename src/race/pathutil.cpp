#include "race/pathutil.h"

#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#include <sys/stat.h>

namespace CbasGeneral {

namespace {

bool isSeparator(QChar c)
{
    return c == u'/' || c == u'\\';
}

qsizetype lastSeparator(const QString& path)
{
    for (qsizetype i = path.size() - 1; i >= 0; --i)
        if (isSeparator(path[i])) return i;
    return -1;
}

// Position after which the file name begins: the last separator, failing that the last colon
// (a drive such as "C:name"); -1 when there is neither.
qsizetype fileNameSplit(const QString& path)
{
    const qsizetype separator = lastSeparator(path);
    return separator >= 0 ? separator : path.lastIndexOf(u':');
}

bool isNetworkPath(const QString& path)
{
    return path.startsWith(QStringLiteral("//")) || path.startsWith(QStringLiteral("\\\\"));
}

// The components of a path that ends in a separator, without the empty one after it. An
// absolute path begins with an empty component (the root).
QStringList components(const QString& pathWithSeparator)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < pathWithSeparator.size(); ++i) {
        if (!isSeparator(pathWithSeparator[i])) continue;
        parts.append(pathWithSeparator.mid(start, i - start));
        start = i + 1;
    }
    return parts;
}

QString joinFolders(const QStringList& parts)
{
    QString path;
    for (const QString& part : parts) path += part + u'/';
    return path;
}

// The root ("" of "/x") and a drive ("C:") cannot be left by "..".
bool isRootComponent(const QString& part)
{
    return part.isEmpty() || part.endsWith(u':');
}

QString removeFileNameCharacters(const QString& name, bool backslashToo)
{
    static const QString forbidden = QStringLiteral(":/|><'\"");
    QString cleaned;
    cleaned.reserve(name.size());
    for (QChar c : name)
        if (!forbidden.contains(c) && !(backslashToo && c == u'\\')) cleaned += c;
    return cleaned;
}

}  // namespace

bool FileExists(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile()) return false;
    QFile file(path);
    return file.open(QIODevice::ReadOnly);
}

bool PathExists(const QString& path)
{
    QString p = path;
    if (p.size() > 1 && isSeparator(p.back())) p.chop(1);
    return !p.isEmpty() && QFileInfo::exists(p);
}

QString AddPathSeparator(const QString& path)
{
    if (!path.isEmpty() && isSeparator(path.back())) return path;
    return path + u'/';
}

QString RemovePathSeparator(const QString& path)
{
    if (!path.isEmpty() && isSeparator(path.back())) return path.left(path.size() - 1);
    return path;
}

QString GetFileName(const QString& path)
{
    return path.mid(fileNameSplit(path) + 1);
}

QString GetFolderName(const QString& path)
{
    return path.left(fileNameSplit(path) + 1);
}

QString GetExtension(const QString& path)
{
    const QString p = RemoveQuotes(path);
    if (!p.isEmpty() && !p.contains(u'?') && !p.contains(u'*') && PathExists(p) &&
        QFileInfo(RemovePathSeparator(p)).isDir())
        return QString();
    qsizetype i = p.size() - 1;
    for (; i >= 0; --i) {
        const QChar c = p[i];
        if (isSeparator(c) || c == u':') return QString();
        if (c == u'.') break;
    }
    return ToNarrow(p.mid(i + 1)).toLower();
}

QString CleanFileName(const QString& path)
{
    const qsizetype split = fileNameSplit(path);
    return path.left(split + 1) + removeFileNameCharacters(path.mid(split + 1), false);
}

QString CleanFileNamePart(const QString& name)
{
    return removeFileNameCharacters(name, true);
}

QString MakeRelativePath(const QString& folder, const QString& baseFolder)
{
    const QString target = AddPathSeparator(folder);
    const QString base = AddPathSeparator(baseFolder);
    if (target == base) return QStringLiteral("./");
    if (isNetworkPath(target) || isNetworkPath(base)) return folder;

    const QStringList targetParts = components(target);
    const QStringList baseParts = components(base);
    qsizetype common = 0;
    while (common < targetParts.size() && common < baseParts.size() &&
           targetParts[common] == baseParts[common])
        ++common;
    if (common == 0) return folder;

    QString relative;
    for (qsizetype i = common; i < baseParts.size(); ++i) relative += QStringLiteral("../");
    if (relative.isEmpty()) relative = QStringLiteral("./");
    for (qsizetype i = common; i < targetParts.size(); ++i) relative += targetParts[i] + u'/';
    return relative;
}

QString ResolveRelativePath(const QString& relativeFolder, const QString& baseFolder)
{
    const QString relative = AddPathSeparator(relativeFolder);
    const QString base = AddPathSeparator(baseFolder);
    if (isSeparator(relative.front()) || relative.contains(u':') || isNetworkPath(relative) ||
        isNetworkPath(base))
        return relativeFolder;

    QStringList kept = components(base);
    QStringList resolved;
    for (const QString& part : components(relative)) {
        if (part.isEmpty() || part == u".") continue;
        if (part == u"..") {
            if (!resolved.isEmpty())
                resolved.removeLast();
            else if (!kept.isEmpty() && !isRootComponent(kept.back()))
                kept.removeLast();
            continue;
        }
        resolved.append(part);
    }
    return joinFolders(kept) + joinFolders(resolved);
}

std::optional<QStringList> ReadTextLines(const QString& path)
{
    if (!FileExists(path)) return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    const QByteArray bytes = file.readAll();
    if (bytes.isEmpty()) return QStringList();
    return TextCodec::fromCp932(bytes).split(QStringLiteral("\r\n"));
}

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

FileWrite writeReplacing(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return FileWrite::NotCreated;
    // Flushed before the commit: a commit does not notice that the last buffered bytes could
    // not be written (a full disk), and would rename a cut file over the old one.
    if (file.write(bytes) != bytes.size() || !file.flush()) {
        file.cancelWriting();
        return FileWrite::Broken;
    }
    return file.commit() ? FileWrite::Written : FileWrite::Broken;
}

FileWrite writeInto(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) return FileWrite::NotCreated;
    return file.write(bytes) == bytes.size() ? FileWrite::Written : FileWrite::Broken;
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

FileWrite WriteFileIfChanged(const QString& path, const QByteArray& bytes)
{
    if (path.isEmpty()) return FileWrite::NotCreated;
    struct stat status {};
    // A regular file (not a link to one) that already holds the bytes is left as it is.
    if (::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISREG(status.st_mode) &&
        holdsBytes(path, status.st_size, bytes)) {
        return FileWrite::Unchanged;
    }
    const QString target = followLinks(path);
    if (target.isEmpty()) return FileWrite::NotCreated;
    if (::stat(QFile::encodeName(target).constData(), &status) != 0)
        return errno == ENOENT ? writeReplacing(target, bytes) : FileWrite::NotCreated;
    if (S_ISREG(status.st_mode)) return writeReplacing(target, bytes);
    if (S_ISDIR(status.st_mode)) return FileWrite::NotCreated;
    return writeInto(target, bytes);
}

bool WriteFileBytes(const QString& path, const QByteArray& bytes)
{
    const FileWrite outcome = WriteFileIfChanged(path, bytes);
    return outcome == FileWrite::Written || outcome == FileWrite::Unchanged;
}

bool WriteTextFileAtomic(const QString& path, const QString& text)
{
    return WriteFileBytes(path, TextCodec::toCp932(text));
}

}  // namespace CbasGeneral
