#pragma once
// The season statistics file "Analysis.csv": one line per runner and race, appended to by
// every run, so that a season's races can be compared runner by runner.
#include <QByteArray>
#include <QString>

namespace basExport {

// Appends every class of the race, in class order, to "Analysis.csv" in the folder; a new file
// first gets the header line. A race already in the file (a live script runs every few
// minutes) has its runners' lines replaced instead: see MergeSeasonLines. The file is written
// whole through a temporary file; false when it cannot be read or written (it then holds what
// it held before).
bool AppendAnalysisCsv(const QString& folder);

// The season file's bytes with the lines (CP932 text, each ending in CR LF) added: the lines
// already there for the same race name, date, class and runner (letter case and spaces in the
// name ignored) are taken out and the new lines put where the first of them stood; when there
// is none they go at the end. Every other line keeps its bytes and its place.
QByteArray MergeSeasonLines(const QByteArray& file, const QString& lines);

// The line of runner r (1-based) of the class in the analysis workspace, which must have been
// filled by AnalyzeClassDetail. No line end.
QString AnalysisCsvLine(int r);

}  // namespace basExport
