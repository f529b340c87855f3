#include "lapfiles/importedrace.h"
#include "lapfiles/laptext.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"
#include "race/classdata.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>

namespace basConvert {
namespace {

const QString TimePicture = QStringLiteral("hh:nn:ss");

// A total or start time field: "?" marks are dropped, anything that is no time counts 0.
double readTimeField(QString text)
{
    text.remove(QLatin1Char('?'));
    QString normal = CbasGeneral::NormalizeTimeText(text, true, TimePicture);
    return CbasGeneral::ParseTime(normal).value_or(0);
}

// "0", "n/a", "N/A", "*", "NOERROR" and pieces of these mark a missing split. A time such as
// "00:12:34" holds a ":" and is never one of them, which spares most fields the search.
bool isMissingMark(const QString& text)
{
    const QString marks = QStringLiteral("0N/A*NOERROR");
    if (text.size() > marks.size() || text.contains(QLatin1Char(':'))) return false;
    return marks.contains(CbasGeneral::ToNarrow(text), Qt::CaseInsensitive);
}

}  // namespace

QString FieldAt(const QStringList& fields, int n)
{
    if (n < 1 || n > fields.size()) return QString();
    return fields[n - 1];
}

double ReadLapText(const QString& text, bool* readable)
{
    if (readable) *readable = false;
    if (CbasGeneral::StripSpaces(text).isEmpty()) return LapAbsent;
    // "↓", "→", "-" and runs of them mark a leg whose time is carried in the next one.
    if (QStringLiteral("↓→-").contains(text)) return LapMerged;
    if (isMissingMark(text)) return LapMissing;

    QString t = text;
    t.remove(QLatin1Char('?'));
    QString normal = CbasGeneral::NormalizeTimeText(t, true, TimePicture);
    if (normal == QStringLiteral("n/a")) return LapMissing;
    std::optional<double> time = CbasGeneral::ParseTime(normal);
    if (!time) return LapMissing;
    // A time of nothing at all is stored as a missing split, so it keeps a runner no more than
    // "n/a" does: the saved file writes it as "n/a", and the runner must survive that cycle.
    if (readable) *readable = *time > 0;
    return *time;
}

bool ReadRunnerLine(const QStringList& fields, const clsClassData& cls, const TableColumns& columns,
                    clsClassDataSub& runner)
{
    runner = clsClassDataSub();
    bool keep = false;
    const int legs = std::clamp(cls.LegCount(), 0, MaxLegs);
    for (int k = 1; k <= legs; ++k) {
        int column = columns.LapColumns[static_cast<size_t>(k)];
        if (column <= 0) continue;
        bool readable = false;
        runner.setLap(k, ReadLapText(FieldAt(fields, column), &readable));
        keep = keep || readable;
    }
    if (columns.nameColumn > 0) runner.Namae = FieldAt(fields, columns.nameColumn);
    if (columns.affiliationColumn > 0) runner.Shozoku = FieldAt(fields, columns.affiliationColumn);
    if (columns.totalColumn > 0) {
        // A total past one day is an incomplete run that its legs alone would not show.
        const QString total = FieldAt(fields, columns.totalColumn);
        runner.Total = ReadLongTotal(total).value_or(readTimeField(total));
    }
    if (columns.startColumn > 0)
        runner.StartTime = readTimeField(FieldAt(fields, columns.startColumn));
    if (columns.statusColumn > 0)
        runner.Status = StatusOfMark(FieldAt(fields, columns.statusColumn)).value_or(RunStatus::Ok);

    if (runner.Total > 0) keep = true;
    if (CbasGeneral::Trim(runner.Namae).isEmpty()) keep = false;
    return keep;
}

}  // namespace basConvert
