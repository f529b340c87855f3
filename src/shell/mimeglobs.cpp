#include "shell/mimeglobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <QStandardPaths>
#include <QTextStream>

namespace MimeGlobs {

namespace {

struct GlobMatch {
    int weight = -1;
    int length = 0;
    QString type;
};

bool GlobMatches(const QString& glob, const QString& name, bool caseSensitive)
{
    // File names hold no "/", so the path-aware default conversion matches as plain globs do.
    const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(glob),
                                caseSensitive ? QRegularExpression::NoPatternOption
                                              : QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

// Scans one globs2 file ("weight:type:glob[:flags]"). The globs of all directories add up,
// except for types whose globs a directory of higher priority cleared ("__NOGLOBS__").
void ScanGlobs(const QString& path, const QString& name, QSet<QString>& cleared, GlobMatch& best)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return;
    QTextStream in(&file);
    QSet<QString> clearedHere;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        const QStringList f = line.split(QLatin1Char(':'));
        if (f.size() < 3) continue;
        const QString& type = f[1];
        const QString& glob = f[2];
        if (glob == QLatin1String("__NOGLOBS__")) clearedHere.insert(type);
        if (cleared.contains(type) || glob == QLatin1String("__NOGLOBS__")) continue;
        const bool caseSensitive = f.size() > 3 && f[3].split(QLatin1Char(',')).contains("cs");
        if (!GlobMatches(glob, name, caseSensitive)) continue;
        const int weight = f[0].toInt();
        if (weight > best.weight || (weight == best.weight && glob.size() > best.length)) {
            best = {weight, static_cast<int>(glob.size()), type};
        }
    }
    cleared.unite(clearedHere);
}

}  // namespace

QString MimeTypeForFileName(const QString& fileName)
{
    const QString name = QFileInfo(fileName).fileName();
    const QStringList dirs =
        QStandardPaths::locateAll(QStandardPaths::GenericDataLocation, QStringLiteral("mime"),
                                  QStandardPaths::LocateDirectory);
    GlobMatch best;
    QSet<QString> cleared;
    for (const QString& dir : dirs) {
        ScanGlobs(QDir(dir).filePath(QStringLiteral("globs2")), name, cleared, best);
    }
    return best.type;
}

}  // namespace MimeGlobs
