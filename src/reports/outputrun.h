#pragma once
// One output run: every file of the chosen classes for the current settings, written whole
// through a temporary file so that no file is ever left half-written under its final name.
#include "reports/outputoptions.h"

#include <functional>

namespace basExport {

// How a file write went.
enum class WriteOutcome {
    Written,
    NotCreated,  // the file could not be created (missing folder, no permission)
    Broken,      // writing failed part way (disk full, folder removed): the run stops
};
// Writes the lines in CP932, each ended by CR LF, through a temporary file renamed over path.
using FileWriter = std::function<WriteOutcome(const QString& path, const QStringList& lines)>;
WriteOutcome WriteLinesFile(const QString& path, const QStringList& lines);

struct OutputReport {
    QStringList written;   // the paths written, in order
    bool failed = false;   // some file could not be created or written
    bool stopped = false;  // the run stopped part way
};

// Writes the files of the selected class-list entries with the options. Failures are told
// through the prompt service. writer is WriteLinesFile unless a caller supplies its own.
OutputReport OutputFiles(const OutputOptions& options, const QStringList& selectedEntries,
                         const FileWriter& writer = FileWriter());

// The path of an entry's file: folder, template with "*" replaced by the class part ("/" and
// "\" made "_"), the file name part lower-cased when asked (never the folder, whose spelling
// the file system keeps).
QString OutputPath(const OutputOptions& options, const QString& entry);

// The credit lines that end every CSV and text file.
QStringList CreditLines();

}  // namespace basExport
