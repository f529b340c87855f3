// The result lists other programs exchange, read whole from the file in memory: IOF XML by its
// bytes, the text exports from the text decoded once for all of them.
#include "lapfiles/coursevariants.h"
#include "lapfiles/foreigntable.h"
#include "lapfiles/formatentries.h"
#include "lapfiles/interchangereaders.h"
#include "lapfiles/sourcefile.h"

namespace basConvert::Formats {
namespace {

// The race a reader of another program's list gave, built into classes and runners.
ReadOutcome buildRace(ReadOutcome outcome, const ImportedRace& imported, ReadContext& context,
                      Race& race)
{
    if (outcome == ReadOutcome::NotThisFormat) return outcome;
    Race built;
    if (outcome == ReadOutcome::Read &&
        BuildImportedRace(imported, built.RaceInfo, built.ClassList, &context.warnings)) {
        race = std::move(built);
        context.notice = SplitClassesNotice(imported.splitClasses);
        return ReadOutcome::Read;
    }
    context.reason = imported.failure;
    return ReadOutcome::Failed;
}

using TextReader = ReadOutcome (*)(const QString& text, ImportedRace& race);

ReadOutcome readText(TextReader reader, SourceFile& file, ReadContext& context, Race& race)
{
    ImportedRace imported;
    imported.raceNumber = context.raceNumber;
    return buildRace(reader(file.text(), imported), imported, context, race);
}

}  // namespace

bool AnyFile(SourceFile&)
{
    return true;
}

ReadOutcome ReadXmlResults(SourceFile& file, ReadContext& context, Race& race)
{
    ImportedRace imported;
    imported.raceNumber = context.raceNumber;
    return buildRace(ReadIofXml(file.bytes(), imported), imported, context, race);
}

bool MayBeTextExport(SourceFile& file)
{
    // An Eskdat file is known by its name and read as a table of its own.
    return !IsEskdatPath(file.path()) && file.mayBeTextExport();
}

ReadOutcome ReadSplitPage(SourceFile& file, ReadContext& context, Race& race)
{
    return readText(ReadSplitHtml, file, context, race);
}

ReadOutcome ReadResultExport(SourceFile& file, ReadContext& context, Race& race)
{
    return readText(ReadResultTable, file, context, race);
}

ReadOutcome ReadPerLegExport(SourceFile& file, ReadContext& context, Race& race)
{
    return readText(ReadPerLegCsv, file, context, race);
}

ReadOutcome ReadSplitsBrowser(SourceFile& file, ReadContext& context, Race& race)
{
    return readText(ReadSplitsBrowserCsv, file, context, race);
}

}  // namespace basConvert::Formats
