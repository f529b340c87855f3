#include "lapfiles/raceload.h"
#include "lapfiles/readcontext.h"
#include "lapfiles/tablereader.h"
#include "race/basicformat.h"
#include "race/csvfields.h"
#include "race/textutil.h"

#include <optional>

namespace basConvert {

using CbasGeneral::CsvQuotes;
using CbasGeneral::SplitCsvFields;

namespace {

// The texts of a table other than a lap file were written for spreadsheets: a leading "＝",
// "＋", "－" or "＠" of a class name, name or club stands for its half-width form.
QString tableText(const ReadContext& context, const QString& field)
{
    return context.format == RaceFormat::Lap ? field : CbasGeneral::CsvCellText(field);
}

// The class a runner line names, without outer blanks: the "$" keys of a lap file name their
// class trimmed, and a name that kept a blank here would split into two classes on the next load.
QString ClassNameAt(const ReadContext& context, const QStringList& fields)
{
    return tableText(context, CbasGeneral::Trim(FieldAt(fields, context.columns.classColumn)));
}

bool sameClass(const std::optional<QString>& previous, const QString& name)
{
    return previous && previous->compare(name, Qt::CaseInsensitive) == 0;
}

// First pass: a class is created by its first runner line, with the leg structure of the
// column-header line most recently seen.
bool createClasses(ReadContext& context, int firstHeader, ClassCollection& classes)
{
    TableColumns& columns = context.columns;
    // No previous runner at first, so the first runner line always finds its class, even one
    // with the empty name.
    std::optional<QString> previous;
    for (int i = firstHeader; i < context.lines.size(); ++i) {
        const QString& line = context.lines[i];
        if (i == firstHeader || IsColumnHeaderLine(line)) {
            if (!AnalyzeHeaderLine(columns, line)) return false;
            continue;
        }
        QString name = ClassNameAt(context, SplitCsvFields(line, CsvQuotes::Literal));
        if (sameClass(previous, name)) continue;
        previous = name;
        if (classes.contains(name)) continue;
        clsClassData& cls = classes.add(name);
        cls.ClassControlCount = columns.highestLeg - (columns.finishLeg ? 1 : 0);
        cls.ClassLastGoalExist = columns.finishLeg;
    }
    return true;
}

// Second pass: every kept runner joins the class named on its line.
bool addRunners(ReadContext& context, int firstHeader, ClassCollection& classes)
{
    TableColumns& columns = context.columns;
    LoadProgress* progress = context.progress;
    std::optional<QString> previous;
    clsClassData* current = nullptr;
    const int count = context.lines.size();
    for (int i = firstHeader; i < count; ++i) {
        if (progress && i % 10 == 0) progress->progress(ProgressText(i + 1, count));
        const QString& line = context.lines[i];
        if (i == firstHeader || IsColumnHeaderLine(line)) {
            if (!AnalyzeHeaderLine(columns, line)) return false;
            continue;
        }
        const QStringList fields = SplitCsvFields(line, CsvQuotes::Literal);
        QString name = ClassNameAt(context, fields);
        if (!sameClass(previous, name)) {
            previous = name;
            current = classes.find(name);
        }
        clsClassDataSub runner;
        if (!current || !ReadRunnerLine(fields, *current, columns, runner)) continue;
        runner.Namae = tableText(context, runner.Namae);
        runner.Shozoku = tableText(context, runner.Shozoku);
        current->Add(runner);
    }
    return true;
}

}  // namespace

bool ReadTableLines(ReadContext& context, int firstHeader, ClassCollection& classes)
{
    if (firstHeader < 0 || firstHeader >= context.lines.size()) return true;
    if (!AnalyzeHeaderLine(context.columns, context.lines[firstHeader])) return false;
    if (!createClasses(context, firstHeader, classes)) return false;
    if (!AnalyzeHeaderLine(context.columns, context.lines[firstHeader])) return false;
    return addRunners(context, firstHeader, classes);
}

QString ProgressText(int lineNo, int count)
{
    QString percent = CbasGeneral::FormatNumber(100.0 * lineNo / count, QStringLiteral("###"));
    return CbasGeneral::FitWidth(percent, 3, true, true) + QStringLiteral("%");
}

}  // namespace basConvert
