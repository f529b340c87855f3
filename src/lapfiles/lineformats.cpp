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

// Tells that the lap file read looks damaged (lapdamage.h), for the reason given.
void noteDamage(const SourceFile& file, const QString& damage, ReadContext& context)
{
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
    // The bytes show the damage; they go when the reader takes the lines.
    const QString damage = LapFileDamage(file.bytes());
    context.lines = file.takeLines();
    if (!ReadLapFile(context, race.RaceInfo, race.ClassList)) return ReadOutcome::Failed;
    noteDamage(file, damage, context);
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
