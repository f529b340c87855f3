#pragma once
// The typed choices of loading and saving: the kinds of file the loader tells apart, how a
// reader ends, and the types a race is saved as.

namespace basConvert {

// The kinds of file the loader tells apart, in the order it tries them (lapfiles/formattable.h).
// Two are no format but files the loader stops at: one of nothing but blanks, and the
// program's own report output.
enum class RaceFormat {
    Unknown,           // nothing recognised the file
    Excel,             // a workbook: recognised by its name, never read
    Blank,             // nothing but blank lines: no race
    OwnReport,         // the program's own report output, not split data: refused
    Lap,               // the program's own lap file
    Sportident,        // fixed-column "SPORTident results" text
    IofXml,            // IOF XML 3.0 or 2.0.3 result list
    SplitHtml,         // the split results page of the OE programs
    ResultTable,       // OE and similar CSV exports
    PerLegCsv,         // a line per runner and leg
    SplitsBrowserCsv,  // SplitsBrowser CSV
    Eskdat,            // the CSV of the Eskdat timing program
    LapCsvRows,        // the program's own CSV layout, a runner per row
    LapCsvColumns,     // the same turned, a runner per column
    Table,             // any other comma or space-aligned table
};

// How a reader of the table ends.
enum class ReadOutcome {
    NotThisFormat,  // the next kind may try
    Failed,         // the file is of this kind but cannot be read
    Refused,        // a kind of file the program refuses
    Read,
};

// The types a race is saved as; the save dialog offers them in this order.
enum class SaveType {
    Lap,         // "LAP形式": the whole race
    CsvRows,     // "CSV形式[横型]": a runner per row
    CsvColumns,  // "CSV形式[縦型]": a runner per column
    IofXml,      // an IOF XML 3.0 result list in UTF-8
};

}  // namespace basConvert
