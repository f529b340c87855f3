#pragma once
// The reader's module-wide state: the stored lines of the file being loaded and the column
// positions of the table header most recently analysed. The lap reader and the import of
// foreign tables share it; LoadRaceFile resets it at the start of every load.
#include <QString>
#include <QStringList>

#include <array>

namespace basConvert {

// A file with more stored (non-blank) lines than this is refused.
constexpr int MaxStoredLines = 3000;
// At most this many lines can be turned by TransposeLines.
constexpr int MaxTransposeLines = 1000;
// A table line with more fields than this is no split table: a vertical table holds at most
// MaxTransposeLines runners, a horizontal one a few dozen columns.
constexpr int MaxTableFields = 2 * MaxTransposeLines;

enum FormatCode {
    FormatUnknown = 0,
    FormatTable = 1,  // CSV or space-aligned text table
    FormatLap = 2,    // the program's own lap file
    FormatEskdat = 3,
    FormatSportident = 4,
    FormatExcel = 5,
};

struct ReaderState {
    QStringList lines;  // the stored lines, 0-based, at most MaxStoredLines
    int formatCode = FormatUnknown;
    bool anyComma = false;  // some stored line contains ","

    // 1-based field positions found by AnalyzeHeaderLine; 0 = absent.
    int classColumn = 0;
    int nameColumn = 0;
    int affiliationColumn = 0;
    int totalColumn = 0;
    int startColumn = 0;
    std::array<int, 31> LapColumns{};  // index = leg number 1..30; index 0 is unused
    int highestLeg = 0;
    bool finishLeg = false;  // the header has a finish column ("◎")

    void clearColumns();
};

extern ReaderState Reader;

void ResetReader();

}  // namespace basConvert
