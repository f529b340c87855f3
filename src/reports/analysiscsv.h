#pragma once
// The season statistics file "Analysis.csv": one line per runner and race, appended to by
// every run, so that a season's races can be compared runner by runner.
#include "analysis/workspace.h"
#include "race/racevalue.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace basExport {

// Appends every class of the race, in class order, to "Analysis.csv" in the folder; a new file
// first gets the header line. A race already in the file (a live script runs every few
// minutes) has its runners' lines replaced instead: see MergeSeasonLines. The file is written
// whole through a temporary file, under the lock of "Analysis.csv.lock" beside it from the
// reading to the rename, so that runs at the same moment take turns and none loses another's
// lines. False when it cannot be locked, read or written, or is in an encoding it cannot keep
// (it then holds what it held before); failure, when given, then tells why if there is more to
// say than that.
bool AppendAnalysisCsv(const Race& race, const QString& folder, QString* failure = nullptr);

// "ファイルを保存できませんでした: FOLDER/Analysis.csv (REASON)" after a failed append, the
// reason being that of the failed write or why the folder takes no file; when neither tells one,
// the append's failure text (a lock held too long, an encoding) follows on a line of its own.
QString AnalysisCsvFailureMessage(const QString& folder, const QString& failure);

// The season file's bytes with the lines (text, each ending in CR LF) added: the lines already
// there for the same race name, date, class and runner (letter case and spaces in the name
// ignored) are taken out and the new lines put where the first of them stood; when there is
// none they go at the end. Every other line keeps its bytes and its place. The new lines take
// the file's encoding and line end: CP932, or UTF-8 for a file a spreadsheet saved so (with a
// byte-order mark, or without one but holding UTF-8 text), and CR LF, LF or CR as its first line
// ends. No value for a file in UTF-16, which no line of another encoding may join.
std::optional<QByteArray> MergeSeasonLines(const QByteArray& file, const QString& lines);

// The line of runner r (1-based) of the analysis of a class of the race, which must be one of
// AnalyzeClassDetail. No line end.
QString AnalysisCsvLine(const RaceHeader& race, const basAnalyze::AnalysisWorkspace& ws, int r);

}  // namespace basExport
