#pragma once
// The fixed-column "SPORTident results" text: a title block, a column header ("Pl", "Stno",
// "Name", "Time"), then per class a class line, a line numbering the split columns, a line
// telling where the splits wrap, and runner entries of two or four lines (cumulative times,
// then club and leg times, then the same for the splits after the wrap). Columns are counted
// in CP932 bytes.
#include "lapfiles/readcontext.h"
#include "race/race.h"

#include <QString>

namespace basConvert {

// The parameters of one class line such as "H21  (25)   6.500 km  240 m  18 C". A missing
// length or climb is 0; a length with a decimal point is in kilometres and becomes metres.
struct SportidentClassLine {
    QString name;
    int starters = 0;
    int length = 0;
    int climb = 0;
    int controls = 0;
};
SportidentClassLine ParseSportidentClassLine(const QString& line);

// The byte width of one split column, from the numbering line ("  1(31)   2(45) …"): the
// distance from " 1 " to " 2 ", or to the next column heading when there is no " 2 ". 0 when
// it cannot be told.
int SplitColumnWidth(const QString& numberingLine);

// The first split of the continuation line, from the wrap line and the numbering line above
// it: 31 when the wrap line is blank (no wrap); the number before its first "("; when that is
// 0, the index of the numbering line's last control + 1.
int WrapSplit(const QString& wrapLine, const QString& numberingLine);

// Reads the results in the context's lines. False when the column header cannot be found or
// a class has more legs than the model holds.
[[nodiscard]] bool ReadSportidentResults(const ReadContext& context, RaceHeader& header,
                                         ClassCollection& classes);

}  // namespace basConvert
