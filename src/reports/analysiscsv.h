#pragma once
// The season statistics file "Analysis.csv": one line per runner and race, appended to by
// every run, so that a season's races can be compared runner by runner.
#include <QString>

namespace basExport {

// Appends every class of the race, in class order, to "Analysis.csv" in the folder; a new file
// first gets the header line. Returns false when the file cannot be opened or written (the
// file then holds nothing of this race).
bool AppendAnalysisCsv(const QString& folder);

// The line of runner r (1-based) of the class in the analysis workspace, which must have been
// filled by AnalyzeClassDetail. No line end.
QString AnalysisCsvLine(int r);

}  // namespace basExport
