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
    }
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
        // A value that itself holds "=" is cut there.
        readKey(Trim(key), Trim(GetField(line, 2, equals)), header, classes);
    }
}

}  // namespace basConvert
