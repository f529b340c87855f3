#pragma once
// One line of a result export read by the columns of its header: the runner's class, course,
// name, club, status and times, and the punches still as the line writes them.
#include "lapfiles/resultheader.h"
#include "lapfiles/resultpunches.h"

#include <QStringList>

namespace basConvert {

// A line that holds a runner: a name, card or start number, and a field for its time. An
// export leaves the punch groups of a runner without punches out, and some every empty field
// at the end; a line of separators only holds nobody.
bool IsResultLine(const QStringList& fields, const ResultHeader& h);

// The runner of a result line by the columns of the header.
ResultRow ReadResultRow(const QStringList& fields, const ResultHeader& h);

}  // namespace basConvert
