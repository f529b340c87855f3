#include "lapfiles/lapformat.h"
#include "lapfiles/readcontext.h"
#include "race/racetime.h"
#include "race/textutil.h"

namespace basConvert {
namespace {

// The class a "$距離:name" style key speaks of (all after the first ":"), created at the end
// when it is new.
clsClassData& classOfKey(const QString& key, ClassCollection& classes)
{
    QString name = key.mid(key.indexOf(QLatin1Char(':')) + 1);
    if (clsClassData* cls = classes.find(name)) return *cls;
    return classes.add(name);
}

int wholeNumber(const QString& value)
{
    return CbasGeneral::RoundHalfEven(CbasGeneral::Val(value));
}

void readKey(const QString& key, const QString& value, RaceHeader& header, ClassCollection& classes)
{
    using CbasGeneral::Like;
    auto is = [&key](const char* name) {
        return key.compare(QString::fromUtf8(name), Qt::CaseInsensitive) == 0;
    };
    if (is("$名称")) {
        header.RaceName = value;
    } else if (is("$場所")) {
        header.RacePlace = value;
    } else if (is("$備考")) {
        header.RaceRemarks = value;
    } else if (is("$日時")) {
        if (std::optional<QDate> date = CbasGeneral::ParseRaceDate(value)) header.RaceDate = *date;
    } else if (Like(key, QStringLiteral("$距離:*"))) {
        classOfKey(key, classes).ClassLength = wholeNumber(value);
    } else if (Like(key, QStringLiteral("$登距離:*"))) {
        classOfKey(key, classes).ClassUpHeight = wholeNumber(value);
    } else if (Like(key, QStringLiteral("$コントロール数:*"))) {
        // A count taken from the legs of the table wins over the key.
        clsClassData& cls = classOfKey(key, classes);
        if (cls.ClassControlCount == 0) cls.ClassControlCount = wholeNumber(value);
    } else if (Like(key, FinishLegKey + QLatin1Char('*'))) {
        // Only a class without runners has no column-header line of its own to tell it.
        clsClassData& cls = classOfKey(key, classes);
        if (cls.ClassRunnerCount() == 0) cls.ClassLastGoalExist = wholeNumber(value) != 0;
    }
}

// The classes in the order of their keys, as the file was written, when the keys name every
// class: a class without runners keeps its place instead of following the others.
void keepKeyOrder(const QStringList& lines, int endLine, ClassCollection& classes)
{
    QStringList order;
    for (int i = 0; i < endLine && i < lines.size(); ++i) {
        const QString& line = lines[i];
        const qsizetype colon = line.indexOf(QLatin1Char(':'));
        const qsizetype equals = line.lastIndexOf(QLatin1Char('='));
        if (colon < 0 || equals < colon || line.indexOf(QLatin1Char('=')) < colon) continue;
        const QString name = line.mid(colon + 1, equals - colon - 1);
        if (const clsClassData* cls = classes.find(CbasGeneral::Trim(name)))
            if (!order.contains(cls->ClassName)) order << cls->ClassName;
    }
    if (order.size() != classes.count()) return;
    for (const QString& name : order) classes.rename(name, name);
}

}  // namespace

void ReadHeaderKeys(const QStringList& lines, int endLine, RaceHeader& header,
                    ClassCollection& classes)
{
    using CbasGeneral::GetField;
    using CbasGeneral::Trim;
    const QString equals = QStringLiteral("=");
    for (int i = 0; i < endLine && i < lines.size(); ++i) {
        const QString& line = lines[i];
        const QString key = GetField(line, 1, equals);
        if (key.contains(QLatin1Char(':'))) {
            // A class key: the class name runs to the last "=", since class names may hold
            // "=" and ":" themselves and the value, a whole number, never does.
            const int last = line.lastIndexOf(QLatin1Char('='));
            readKey(Trim(line.left(last)), Trim(line.mid(last + 1)), header, classes);
            continue;
        }
        // The value is all after the first "=", "=" and all ("第1回 A=B 大会").
        readKey(Trim(key), Trim(line.mid(line.indexOf(QLatin1Char('=')) + 1)), header, classes);
    }
    keepKeyOrder(lines, endLine, classes);
}

}  // namespace basConvert
