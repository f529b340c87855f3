#pragma once
// What one load of a file keeps while it reads: the stored lines of the file, the column
// positions of the table header most recently analysed and what the label questions left
// unanswered. Every reader takes the context of its load; nothing of it outlives the load.
#include "race/classdata.h"

#include <QString>
#include <QStringList>

#include <array>
#include <cstdint>

namespace basConvert {

class LoadProgress;

// A table line with more fields than this is no split table: a horizontal table has a few
// dozen columns, a vertical one a column per runner of its largest class.
constexpr int MaxTableFields = 100000;

enum FormatCode {
    FormatUnknown = 0,
    FormatTable = 1,  // CSV or space-aligned text table
    FormatLap = 2,    // the program's own lap file
    FormatEskdat = 3,
    FormatSportident = 4,
    FormatExcel = 5,
};

// 1-based field positions found by AnalyzeHeaderLine; 0 = absent.
struct TableColumns {
    int classColumn = 0;
    int nameColumn = 0;
    int affiliationColumn = 0;
    int totalColumn = 0;
    int startColumn = 0;
    int statusColumn = 0;  // "状態": the run's status, a code or its Japanese word
    std::array<int, MaxLegs + 1> LapColumns{};  // index = leg number; index 0 is unused
    int highestLeg = 0;
    bool finishLeg = false;  // the header has a finish column ("◎")

    void clear() { *this = TableColumns(); }
};

struct ReadContext {
    QStringList lines;  // the stored lines, 0-based
    int formatCode = FormatUnknown;
    bool anyComma = false;  // some stored line contains ","
    TableColumns columns;
    LoadProgress* progress = nullptr;
    int raceNumber = 0;  // the race to read of a result list of several; 0 = the first
    // The label question left without an answer, with its sample; empty while none was.
    QString unansweredQuestion;
    bool askedLabels = false;  // the label questions built the header
};

// The outcome of reading a file: FileOk, FileFailed or FileRefused, and why it failed when
// there is more to say than that it did.
struct ReadResult {
    int16_t code = -1;
    QString reason;
    QString notice;  // what a successful load has to tell besides (classes split by course)
};

}  // namespace basConvert
