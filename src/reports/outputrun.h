#pragma once
// One output run: every file of the chosen classes for the current settings, written whole
// through a temporary file so that no file is ever left half-written under its final name.
#include "race/racevalue.h"
#include "reports/outputoptions.h"

#include <QByteArray>

#include <functional>

namespace basExport {

// How a file write went.
enum class WriteOutcome {
    Written,
    Unchanged,   // the file already held these bytes and was left alone
    NotCreated,  // the file could not be created (missing folder, no permission)
    Broken,      // writing failed part way (disk full, folder removed): the run stops
};
// Writes the bytes to path. WriteOutputFile writes through a temporary file renamed over path,
// and leaves a file that already holds the bytes alone.
using FileWriter = std::function<WriteOutcome(const QString& path, const QByteArray& bytes)>;
WriteOutcome WriteOutputFile(const QString& path, const QByteArray& bytes);
// The lines in CP932, each ended by CR LF.
QByteArray LinesBytes(const QStringList& lines);

struct OutputReport {
    QStringList written;    // the files of the run, in order, those left as they were included
    QStringList untouched;  // of those, the files left as they were
    bool failed = false;    // some file could not be created or written
    bool stopped = false;   // the run stopped part way
};

// Writes the files of the selected class-list entries of the race with the options. Failures are
// told through the prompt service. writer is WriteOutputFile unless a caller supplies its own.
//
// The run keeps the keys of what it wrote in the output folder (race/outputkeys.h): a file whose
// class, race header, options and program are what they were when it was written, and which
// nobody has changed since, is neither analysed nor made again. The files of several classes
// are made side by side; they are written, and failures told, in the order of the entries.
OutputReport OutputFiles(const Race& race, const OutputOptions& options,
                         const QStringList& selectedEntries,
                         const FileWriter& writer = FileWriter());

// The path of an entry's file: folder, template with "*" replaced by the class part of its class
// among the classes ("/" and "\" made "_"), the file name part lower-cased when asked (never the
// folder, whose spelling the file system keeps).
QString OutputPath(const ClassCollection& classes, const OutputOptions& options,
                   const QString& entry);

// The credit lines that end every CSV and text file.
QStringList CreditLines();

}  // namespace basExport
