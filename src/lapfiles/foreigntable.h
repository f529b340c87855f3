#pragma once
// Split tables of other programs: comma tables in either orientation, space-aligned text
// tables and the CSV files of the Eskdat timing program. Each is brought into the reader's
// own table form (a column-header line with "クラス", "名前", … and leg labels) and read by
// the generic table passes.
#include "lapfiles/readcontext.h"
#include "race/race.h"

#include <QString>
#include <QStringList>

namespace basConvert {

// A path like "*Eskdat*.dat".
bool IsEskdatPath(const QString& path);

// A text table with its columns separated by spaces: each line trimmed, every run of spaces
// made one ",".
void SpacesToCommas(QStringList& lines);

// Labels down the first column (score A) and across the first line without its last field
// (score B); each distinct label counts once.
struct OrientationScores {
    int down = 0;
    int across = 0;
};
OrientationScores ScoreOrientation(const QStringList& lines);

enum class TablePreparation {
    Ready,
    Cancelled,  // a label question was not answered
    NoTable,    // no labels, and times on too few lines: a web page, a system file
};

// Readies the generic table in the context's lines: spaces to commas when no line holds one,
// then turned when its labels run down the first column, or given a header by the label
// questions, which the context's labels answer, when it has no labels at all (askedLabels is
// set then). A text without labels
// that MayBeSplitTable refuses is no table, and nobody is asked about it.
[[nodiscard]] TablePreparation PrepareGenericTable(ReadContext& context);

// Trims every line, removes its trailing commas and rewrites each line that holds a name
// heading as a column-header line.
void TidyTableLines(QStringList& lines);

// Reads the table in the context's lines, whose first line is the first column-header line.
// Without a class column, every runner belongs to one class with the empty name. False when
// the table describes legs outside the model.
[[nodiscard]] bool ReadForeignTable(ReadContext& context, ClassCollection& classes);

}  // namespace basConvert
