#pragma once
// Turning a comma table by 90 degrees.
#include <QStringList>

namespace basConvert {

// Field j of every line, in order, becomes line j; lines that would hold nothing but commas
// (and spaces) are left out. False, with the lines untouched, when there are more than
// MaxTransposeLines lines or the result would not fit the line buffer.
[[nodiscard]] bool TransposeLines(QStringList& lines);

}  // namespace basConvert
