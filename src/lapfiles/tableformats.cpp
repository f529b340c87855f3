// The tables: the Eskdat CSV, the program's own two CSV layouts and the tables of other
// programs, each brought into the reader's table form and read by the generic table passes.
#include "lapfiles/foreigntable.h"
#include "lapfiles/formatentries.h"
#include "lapfiles/sourcefile.h"
#include "lapfiles/transpose.h"
#include "race/csvfields.h"

namespace basConvert::Formats {

using CbasGeneral::CsvQuotes;
using CbasGeneral::FirstCsvField;
using CbasGeneral::SplitCsvFields;

namespace {

// A stored line with more fields than any table can use. Such a file (a whole file of values
// on one line, say) is no table: it is refused before the orientation scores and the label
// questions walk millions of fields.
bool fitsTable(SourceFile& file)
{
    for (const QString& line : file.lines())
        if (line.count(QLatin1Char(',')) >= MaxTableFields) return false;
    return true;
}

// Which way the table runs when it is one of the program's own CSV layouts: runners as rows
// when its first line starts with the layout's heading ("クラス,名前,所属" or, for a race of one
// unnamed class, "名前,所属"), runners as columns when its first column does. Such a table is
// read in its own orientation, never scored: class names such as "M21-1" would otherwise count
// as leg labels and turn it the wrong way.
enum class OwnLayout { None, Rows, Columns };

OwnLayout ownLayoutOf(const QStringList& lines)
{
    if (lines.isEmpty()) return OwnLayout::None;
    const QString classWord = QStringLiteral("クラス");
    const QString nameWord = QStringLiteral("名前");
    const QString clubWord = QStringLiteral("所属");
    auto startsWithHeading = [&](const QStringList& words) {
        if (words.size() >= 3 && words[0] == classWord && words[1] == nameWord &&
            words[2] == clubWord)
            return true;
        return words.size() >= 2 && words[0] == nameWord && words[1] == clubWord;
    };
    if (startsWithHeading(SplitCsvFields(lines.first(), CsvQuotes::Literal).mid(0, 3)))
        return OwnLayout::Rows;
    QStringList firstColumn;
    for (int i = 0; i < std::min<qsizetype>(3, lines.size()); ++i)
        firstColumn << FirstCsvField(lines[i], CsvQuotes::Literal);
    return startsWithHeading(firstColumn) ? OwnLayout::Columns : OwnLayout::None;
}

// True when the table gave a runner or a named class (a start list gives its classes).
bool holdsRace(const ClassCollection& classes)
{
    for (const auto& cls : classes)
        if (cls->ClassRunnerCount() > 0 || !cls->ClassName.isEmpty()) return true;
    return false;
}

// Reads the table in the context's lines, readied. A foreign table that gave neither a runner
// nor a class name (a page of text) is no race: it is refused, so that opening it never
// replaces the race in memory with an empty one. The program's own layouts of a race without
// runners still load.
ReadOutcome readReadiedTable(ReadContext& context, Race& race, bool ownLayout)
{
    TidyTableLines(context.lines);
    if (!ReadForeignTable(context, race.ClassList)) return ReadOutcome::Failed;
    return ownLayout || holdsRace(race.ClassList) ? ReadOutcome::Read : ReadOutcome::Refused;
}

void takeLines(SourceFile& file, ReadContext& context)
{
    context.anyComma = file.anyComma();
    context.lines = file.takeLines();
}

}  // namespace

bool EskdatTable(SourceFile& file)
{
    return IsEskdatPath(file.path()) && fitsTable(file);
}

ReadOutcome ReadEskdat(SourceFile& file, ReadContext& context, Race& race)
{
    takeLines(file, context);
    return readReadiedTable(context, race, false);
}

bool OwnRowsHeading(SourceFile& file)
{
    return ownLayoutOf(file.probe().first) == OwnLayout::Rows && fitsTable(file);
}

ReadOutcome ReadOwnRows(SourceFile& file, ReadContext& context, Race& race)
{
    takeLines(file, context);
    return readReadiedTable(context, race, true);
}

bool OwnColumnsHeading(SourceFile& file)
{
    return ownLayoutOf(file.probe().first) == OwnLayout::Columns && fitsTable(file);
}

ReadOutcome ReadOwnColumns(SourceFile& file, ReadContext& context, Race& race)
{
    takeLines(file, context);
    TransposeLines(context.lines);
    return readReadiedTable(context, race, true);
}

bool AnyTable(SourceFile& file)
{
    return fitsTable(file);
}

ReadOutcome ReadTable(SourceFile& file, ReadContext& context, Race& race)
{
    takeLines(file, context);
    switch (PrepareGenericTable(context)) {
        case TablePreparation::Ready:
            break;
        case TablePreparation::Cancelled:
            return ReadOutcome::Failed;
        case TablePreparation::NoTable:
            return ReadOutcome::Refused;
    }
    return readReadiedTable(context, race, false);
}

}  // namespace basConvert::Formats
