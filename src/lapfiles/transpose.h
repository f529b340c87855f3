#pragma once
// Turning a comma table by 90 degrees.
#include <QStringList>

namespace basConvert {

// Field j of every line, in order, becomes line j; lines that would hold nothing but commas
// (and spaces) are left out. Time and memory grow with the fields of the table.
void TransposeLines(QStringList& lines);

}  // namespace basConvert
