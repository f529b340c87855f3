// The kinds of file told by their name or their first and last stored lines: workbooks, blank
// files, the program's own report output, lap files and SPORTident results.
#include "lapfiles/formatentries.h"
#include "lapfiles/lapdamage.h"
#include "lapfiles/lapformat.h"
#include "lapfiles/sourcefile.h"
#include "lapfiles/sportident.h"
#include "race/textutil.h"

namespace basConvert::Formats {
namespace {

// Tells when the lap file just read looks damaged (lapdamage.h).
void noteDamage(SourceFile& file, ReadContext& context)
{
    const QString damage = LapFileDamage(file.bytes());
    if (damage.isEmpty()) return;
    context.damaged = true;
    context.warnings << QStringLiteral("ファイルが壊れています: ") + file.path() +
                            QStringLiteral(" (") + damage +
                            QStringLiteral(")\n読み込めた部分だけを読み込みました");
}

}  // namespace

bool NamedWorkbook(SourceFile& file)
{
    return CbasGeneral::Like(file.path(), QStringLiteral("*.xls"));
}

ReadOutcome EmptyRace(SourceFile&, ReadContext&, Race&)
{
    return ReadOutcome::Read;
}

bool NothingButBlanks(SourceFile& file)
{
    return file.probe().first.isEmpty();
}

ReadOutcome NoRace(SourceFile&, ReadContext&, Race&)
{
    return ReadOutcome::Failed;
}

bool EndsAsOwnReport(SourceFile& file)
{
    return CbasGeneral::Like(file.probe().last, QStringLiteral("Made with SplitDuel*"));
}

ReadOutcome Refuse(SourceFile&, ReadContext&, Race&)
{
    return ReadOutcome::Refused;
}

bool LapFileStart(SourceFile& file)
{
    return IsLapFile(file.path(), file.probe().first.value(0));
}

ReadOutcome ReadLap(SourceFile& file, ReadContext& context, Race& race)
{
    context.lines = file.takeLines();
    if (!ReadLapFile(context, race.RaceInfo, race.ClassList)) return ReadOutcome::Failed;
    noteDamage(file, context);
    return ReadOutcome::Read;
}

bool SportidentTitle(SourceFile& file)
{
    return file.probe().sportident;
}

ReadOutcome ReadSportident(SourceFile& file, ReadContext& context, Race& race)
{
    context.lines = file.takeLines();
    return ReadSportidentResults(context, race.RaceInfo, race.ClassList) ? ReadOutcome::Read
                                                                         : ReadOutcome::Failed;
}

}  // namespace basConvert::Formats
