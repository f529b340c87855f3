#pragma once
// The rules of the lap editor that need no window: the texts of its cells, how a typed value
// becomes a cell, where the cursor goes after an entry, and how the columns become runners.
//
// The editor's rows: 0 name, 1 club, 2 start time, then one row per leg, the total time and the
// sum of the legs. A class of N controls has N + 1 legs, but never more rows than the MaxLegs legs
// a runner holds.
#include "race/classdata.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace basLapEdit {

constexpr int NameRow = 0;
constexpr int ClubRow = 1;
constexpr int StartRow = 2;
constexpr int FirstLegRow = 3;

// The layout of the rows for a class of controlCount controls.
struct LapRows {
    explicit LapRows(int controlCount);
    int controlCount = 0;
    int legs = 0;  // leg rows: controlCount + 1, at most MaxLegs
    int lastLegRow() const { return FirstLegRow + legs - 1; }
    int totalRow() const { return FirstLegRow + legs; }
    int sumRow() const { return FirstLegRow + legs + 1; }
    int rowCount() const { return legs + 5; }
    bool isLegRow(int row) const { return row >= FirstLegRow && row <= lastLegRow(); }
    // True when the last leg row is the leg to the finish (not cut at MaxLegs).
    bool lastLegIsFinish() const { return legs == controlCount + 1; }
    // Header texts of column 0.
    QString header(int row) const;
};

// Cell texts of stored values: a leg "h:nn:ss", "n/a" (LapMissing), "↓" (LapMerged) or empty;
// a total "n/a" above one day; a start time empty when 0.
QString LegCellText(double lap);
QString TotalCellText(double total);
QString StartCellText(double startTime);

// A value typed on a leg or total row: "n"/"n/a" and "s"/"↓" as such, an empty text empties
// the cell, anything else is read as a duration. Text that is no time (letters, a minus sign,
// no digit at all) is refused with a message, and the cell keeps its value; a time whose
// minutes or seconds carry over ("99:99" is 1:40:39) is taken with a note saying how it was read.
struct LegEntry {
    QString cell;
    bool refused = false;
    QString message;  // why it was refused, or how it was read; empty when it says what it is
};
LegEntry ReadLegEntry(const QString& typed);

// A value typed on the start-time row: the value box text ("hh:nn:ss", or empty for an empty
// entry) and whether the time is early enough (before 8:00) to ask the user to check it. Text
// that is no time of day is refused with a message.
struct StartEntry {
    QString value;
    bool warnEarly = false;
    bool refused = false;
    QString message;
};
StartEntry ReadStartEntry(const QString& typed);

// The sum of the leg cells that hold a time, as "h:nn:ss" (wrapping at 24 hours).
QString LapSumText(const QStringList& legCells);

// Where the cursor goes after an entry in (row, col) of a grid whose last runner column is
// lastCol. addColumn: the runner is finished in the last column; a new column is to be added
// and the cursor goes to its name row.
struct CursorSteps {
    bool totalTime = true;
    bool club = false;
    bool startTime = false;
};
struct CursorMove {
    int row = 0;
    int col = 0;
    bool addColumn = false;
};
CursorMove NextCell(const LapRows& rows, int row, int col, int lastCol, const CursorSteps& steps);

// One runner column of the grid as typed.
struct LapColumn {
    QString name;
    QString club;
    QString start;
    QStringList legs;  // one text per leg row
    QString total;
};

// Replaces the runners of the class by the columns: the finish leg exists when any column's
// last leg holds a time. Every column with a name is a runner; a column without a name is
// dropped (a name of blanks counts as none). An empty leg cell before a later leg that holds
// something is a leg of unknown time and is stored as n/a, so that the elapsed times past it are
// not counted without it. A runner with neither a leg nor a total did not start: he is kept without
// a valid total (not ranked). Never touches a leg beyond the rows (so never beyond MaxLegs).
void StoreColumns(clsClassData& cls, const LapRows& rows, const std::vector<LapColumn>& columns);

// The leg numbers (1-based) of the empty cells of a column that lie before a later leg cell
// that holds something.
std::vector<int> GapLegs(const LapColumn& column);

// What storing the columns would do that the grid does not show, one line for each finding: a
// column with entries but no name (blanks count as none) is dropped; a runner's empty legs
// between known ones count as n/a; a total differs from the sum of the legs (more than legs of
// unknown time can explain). Empty when there is nothing to point out.
QStringList ApplyNotes(const LapRows& rows, const std::vector<LapColumn>& columns);

}  // namespace basLapEdit
