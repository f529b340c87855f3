#pragma once
// The folder an output run writes into must be there and take files: checked once before the
// run, so that a missing folder gives one message naming it instead of one per file (and an
// empty folder box never sends the files into the root of the file system).
#include <QString>

namespace basExport {

// Empty when files can be written into the folder; otherwise the message to show, naming the
// folder and the reason.
QString OutputFolderProblem(const QString& folder);

}  // namespace basExport
