// Path texts (file and folder names, extensions, relative folders), whether a path exists, and
// reading a text file whole.
#include "race/pathutil.h"

#include "race/textcodec.h"
#include "race/textutil.h"

#include <QFile>
#include <QFileInfo>

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

QString removeFileNameCharacters(const QString& name)
{
    static const QString forbidden = QStringLiteral(":/|><'\"");
    QString cleaned;
    cleaned.reserve(name.size());
    for (QChar c : name)
        if (!forbidden.contains(c)) cleaned += c;
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
    return path.left(split + 1) + removeFileNameCharacters(path.mid(split + 1));
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

}  // namespace CbasGeneral
