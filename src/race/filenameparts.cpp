#include "race/filenameparts.h"

#include "race/prompts.h"
#include "race/race.h"

#include <QHash>
#include <QSet>

namespace CbasGeneral {

QString NameForFileName(const QString& name)
{
    static const QString forbidden = QStringLiteral("/\\:*?\"<>|");
    QString cleaned;
    cleaned.reserve(name.size());
    for (QChar c : name) {
        const bool refused = forbidden.contains(c) || c.category() == QChar::Other_Control;
        cleaned += refused ? QChar(u'_') : c;
    }
    cleaned.replace(QStringLiteral(".."), QStringLiteral("_"));
    return cleaned;
}

}  // namespace CbasGeneral

namespace basDefinition {

namespace {

// The file-name part of every class of the race, by class name as stored.
QHash<QString, QString> classParts(const ClassCollection& classes)
{
    // Lower-case names the files of the race already take.
    QSet<QString> used{QStringLiteral("index")};
    const auto free = [&used](const QString& part) {
        const QString lower = part.toLower();
        return !used.contains(lower) && !used.contains(QStringLiteral("leg_") + lower) &&
               !used.contains(QStringLiteral("res_") + lower);
    };
    QHash<QString, QString> parts;
    for (const QString& name : classes.names()) {
        const QString plain = CbasGeneral::NameForFileName(name);
        QString part = plain;
        for (int n = 2; !free(part); ++n) part = plain + QStringLiteral("_%1").arg(n);
        const QString lower = part.toLower();
        used << lower << QStringLiteral("leg_") + lower << QStringLiteral("res_") + lower;
        parts.insert(name, part);
    }
    return parts;
}

}  // namespace

QString ClassFileNamePart(const ClassCollection& classes, const QString& className)
{
    const clsClassData* cls = classes.find(className);
    if (!cls) return CbasGeneral::NameForFileName(className);
    return classParts(classes).value(cls->ClassName);
}

QStringList RenamedClassFileNames(const ClassCollection& classes, const QStringList& classNames)
{
    const QHash<QString, QString> parts = classParts(classes);
    QStringList renamed;
    for (const QString& name : classNames) {
        const clsClassData* cls = classes.find(name);
        if (!cls) continue;
        const QString part = parts.value(cls->ClassName);
        if (part != CbasGeneral::NameForFileName(cls->ClassName))
            renamed << ClassListEntry(cls->ClassName) + QStringLiteral(" → ") + part;
    }
    return renamed;
}

void TellRenamedClassFileNames(const ClassCollection& classes, const QStringList& classNames)
{
    static QSet<QString> told;
    const QStringList renamed = RenamedClassFileNames(classes, classNames);
    const QString text = renamed.join(QStringLiteral(", "));
    if (renamed.isEmpty() || told.contains(text)) return;
    told.insert(text);
    Prompts::message(
        QStringLiteral("ファイル名が他のクラスと重なるため、次のクラスのファイル名を変えました: ") +
            text,
        Prompts::Icon::Information);
}

}  // namespace basDefinition
