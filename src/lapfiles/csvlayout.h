#pragma once
// The two CSV layouts of the lap data: "CSV形式[横型]" (a runner per row) and "CSV形式[縦型]"
// (the same table turned, a runner per column).
#include "race/race.h"

#include <QStringList>

namespace basConvert {

// The horizontal layout: per class a column-header line, a line per runner in ranked order and
// an empty line. A race of one class with the empty name is written without class column.
void BuildHorizontalLines(const ClassCollection& classes, QStringList& lines);

// The vertical layout: the horizontal one turned with TransposeLines.
void BuildVerticalLines(const ClassCollection& classes, QStringList& lines);

}  // namespace basConvert
