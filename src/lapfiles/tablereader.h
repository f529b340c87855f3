#pragma once
// The generic table reader: column-header lines tell which field holds what, runner lines are
// parsed by those positions. The lap reader and the import of foreign tables both use it.
#include "lapfiles/readcontext.h"
#include "race/race.h"

#include <QString>
#include <QStringList>

namespace basConvert {

// Fills the column positions from one column-header line ("クラス", "名前", "所属",
// "総タイム", "スタート時刻" and leg labels such as "△→１", "９→10", "12→◎"). False when a leg
// number falls outside 1..MaxLegs: such a file is outside the model and is refused.
[[nodiscard]] bool AnalyzeHeaderLine(TableColumns& columns, const QString& line);

// A table line that holds "★ラベル★", or both "クラス" and "名前" as whole fields, is a
// column-header line.
bool IsColumnHeaderLine(const QString& line);

// Field n (1-based) of a line already split at ","; empty for n <= 0 or beyond the last field.
QString FieldAt(const QStringList& fields, int n);

// The leg value of one lap field: LapAbsent, LapMerged, LapMissing or a time. readable is set
// when the field held a time longer than zero.
double ReadLapText(const QString& text, bool* readable = nullptr);

// Parses one runner line (split at ",") of a class by the column positions. Returns
// whether the runner is kept: it has a name and a readable leg time or a positive total.
bool ReadRunnerLine(const QStringList& fields, const clsClassData& cls, const TableColumns& columns,
                    clsClassDataSub& runner);

// The two passes over the table part of the context's lines, from line firstHeader (0-based) to
// the end:
// the first creates the classes in order of their first runner, each with the leg structure of
// the header above it; the second adds the kept runners. Reports progress every tenth line.
// False when a header names a leg outside 1..MaxLegs.
[[nodiscard]] bool ReadTableLines(ReadContext& context, int firstHeader, ClassCollection& classes);

// Runners carry at most MaxLegs legs; a file may ask for more, or for a negative control count,
// which no reader, writer or view of the race could hold. False for such classes.
bool LegsWithinModel(const ClassCollection& classes);

// The loading window's text for line lineNo (1-based) of count: " 25%", right-aligned.
QString ProgressText(int lineNo, int count);

}  // namespace basConvert
