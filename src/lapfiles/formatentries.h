#pragma once
// What the format table is made of: for each kind of file how it is recognised and read, and
// for the types a race is saved as how they are written.
#include "lapfiles/formattable.h"

namespace basConvert::Formats {

// A workbook ("*.xls"): recognised by its name and never read; its race is empty.
bool NamedWorkbook(SourceFile& file);
ReadOutcome EmptyRace(SourceFile& file, ReadContext& context, Race& race);

// A file of nothing but blank lines holds no race.
bool NothingButBlanks(SourceFile& file);
ReadOutcome NoRace(SourceFile& file, ReadContext& context, Race& race);

// The program's own report output (its last line "Made with SplitDuel…") is no split data.
bool EndsAsOwnReport(SourceFile& file);
ReadOutcome Refuse(SourceFile& file, ReadContext& context, Race& race);

// The lap file: a ".lap" name and "$LAPFILE Ver=2" first. One that looks damaged loads as far
// as it goes, with a warning.
bool LapFileStart(SourceFile& file);
ReadOutcome ReadLap(SourceFile& file, ReadContext& context, Race& race);

// SPORTident results: "SPORTident results" as the third stored line.
bool SportidentTitle(SourceFile& file);
ReadOutcome ReadSportident(SourceFile& file, ReadContext& context, Race& race);

// IOF XML result lists, whatever the file's name: the reader decides by the root element.
bool AnyFile(SourceFile& file);
ReadOutcome ReadXmlResults(SourceFile& file, ReadContext& context, Race& race);

// The text exports of other programs, never in a file named as an Eskdat file. Each reader
// decides by the text itself.
bool MayBeTextExport(SourceFile& file);
ReadOutcome ReadSplitPage(SourceFile& file, ReadContext& context, Race& race);
ReadOutcome ReadResultExport(SourceFile& file, ReadContext& context, Race& race);
ReadOutcome ReadPerLegExport(SourceFile& file, ReadContext& context, Race& race);
ReadOutcome ReadSplitsBrowser(SourceFile& file, ReadContext& context, Race& race);

// The tables, none of which has a line of more fields than MaxTableFields: the Eskdat CSV
// ("*Eskdat*.dat"), the program's two CSV layouts (known by their heading "クラス,名前,所属" or,
// for a race of one unnamed class, "名前,所属", across the first line or down the first
// column), and any other comma or space-aligned table.
bool EskdatTable(SourceFile& file);
ReadOutcome ReadEskdat(SourceFile& file, ReadContext& context, Race& race);
bool OwnRowsHeading(SourceFile& file);
ReadOutcome ReadOwnRows(SourceFile& file, ReadContext& context, Race& race);
bool OwnColumnsHeading(SourceFile& file);
ReadOutcome ReadOwnColumns(SourceFile& file, ReadContext& context, Race& race);
bool AnyTable(SourceFile& file);
ReadOutcome ReadTable(SourceFile& file, ReadContext& context, Race& race);

// The lap file and the two CSV layouts are CP932, or UTF-8 with a byte-order mark when a text
// has no CP932 form, so that no letter is saved as "?"; the result list is UTF-8.
SavedBytes WriteLap(const RaceHeader& header, const ClassCollection& classes);
SavedBytes WriteCsvRows(const RaceHeader& header, const ClassCollection& classes);
SavedBytes WriteCsvColumns(const RaceHeader& header, const ClassCollection& classes);
SavedBytes WriteIofXml(const RaceHeader& header, const ClassCollection& classes);

}  // namespace basConvert::Formats
