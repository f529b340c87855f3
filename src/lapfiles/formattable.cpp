#include "lapfiles/formattable.h"

#include "lapfiles/formatentries.h"

#include <algorithm>
#include <cstdlib>

namespace basConvert {

const std::vector<FormatEntry>& FormatTable()
{
    using namespace Formats;
    using E = Evidence;
    using F = RaceFormat;
    static const std::vector<FormatEntry> table = {
        {F::Excel, E::Name, NamedWorkbook, EmptyRace, std::nullopt},
        {F::Blank, E::Lines, NothingButBlanks, NoRace, std::nullopt},
        {F::OwnReport, E::Lines, EndsAsOwnReport, Refuse, std::nullopt},
        {F::Lap, E::Lines, LapFileStart, ReadLap,
         FormatWriter{SaveType::Lap, QStringLiteral("lap"), QStringLiteral("LAP形式 (*.lap)"),
                      QStringLiteral("*.lap"), WriteLap}},
        {F::Sportident, E::Lines, SportidentTitle, ReadSportident, std::nullopt},
        {F::IofXml, E::Bytes, AnyFile, ReadXmlResults,
         FormatWriter{SaveType::IofXml, QStringLiteral("iof-xml"),
                      QStringLiteral("IOF XML 3.0 (*.xml)"), QStringLiteral("*.xml"), WriteIofXml}},
        {F::SplitHtml, E::Bytes, MayBeTextExport, ReadSplitPage, std::nullopt},
        {F::ResultTable, E::Bytes, MayBeTextExport, ReadResultExport, std::nullopt},
        {F::PerLegCsv, E::Bytes, MayBeTextExport, ReadPerLegExport, std::nullopt},
        {F::SplitsBrowserCsv, E::Bytes, MayBeTextExport, ReadSplitsBrowser, std::nullopt},
        {F::Eskdat, E::Lines, EskdatTable, ReadEskdat, std::nullopt},
        {F::LapCsvRows, E::Lines, OwnRowsHeading, ReadOwnRows,
         FormatWriter{SaveType::CsvRows, QStringLiteral("csv-rows"),
                      QStringLiteral("CSV形式[横型] (*.csv)"), QStringLiteral("*.csv"),
                      WriteCsvRows}},
        {F::LapCsvColumns, E::Lines, OwnColumnsHeading, ReadOwnColumns,
         FormatWriter{SaveType::CsvColumns, QStringLiteral("csv-columns"),
                      QStringLiteral("CSV形式[縦型] (*.csv)"), QStringLiteral("*.csv"),
                      WriteCsvColumns}},
        {F::Table, E::Lines, AnyTable, ReadTable, std::nullopt},
    };
    return table;
}

const FormatWriter& WriterOf(SaveType type)
{
    for (const FormatEntry& entry : FormatTable())
        if (entry.writer && entry.writer->type == type) return *entry.writer;
    // Every save type has its entry in the table; a missing one is a fault of the table.
    std::abort();
}

int FilterIndexOf(SaveType type)
{
    switch (type) {
        case SaveType::Lap:
            return 1;
        case SaveType::CsvRows:
            return 2;
        case SaveType::CsvColumns:
            return 3;
        case SaveType::IofXml:
            return 4;
    }
    return 0;
}

std::vector<SaveType> SaveTypes()
{
    std::vector<SaveType> types;
    for (const FormatEntry& entry : FormatTable())
        if (entry.writer) types.push_back(entry.writer->type);
    std::sort(types.begin(), types.end(),
              [](SaveType a, SaveType b) { return FilterIndexOf(a) < FilterIndexOf(b); });
    return types;
}

QString SaveDialogFilter()
{
    QStringList parts;
    for (SaveType type : SaveTypes()) parts << WriterOf(type).description << WriterOf(type).pattern;
    return parts.join(QLatin1Char('|'));
}

std::optional<SaveType> SaveTypeAt(int filterIndex)
{
    for (SaveType type : SaveTypes())
        if (FilterIndexOf(type) == filterIndex) return type;
    return std::nullopt;
}

QStringList SaveLayoutNames()
{
    QStringList names;
    for (SaveType type : SaveTypes()) names << WriterOf(type).layout;
    return names;
}

std::optional<SaveType> SaveTypeOfLayout(const QString& layout)
{
    for (SaveType type : SaveTypes())
        if (WriterOf(type).layout == layout) return type;
    return std::nullopt;
}

}  // namespace basConvert
