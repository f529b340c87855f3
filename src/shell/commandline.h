#pragma once
// The program's command line: one optional path (quotes around it are removed), a lap or result
// file to load or an ".sda" script to run. The arguments after a script's path are the starting
// values of its variables %1% … %9%; after any other path they are ignored.
#include <QString>
#include <QStringList>

namespace basCommandLine {

struct CommandLine {
    QString path;           // empty when none was given
    QStringList variables;  // at most nine
    bool isScript() const;  // the path ends in ".sda" (letter case ignored)
};

// arguments: the program's arguments without the program itself and without the toolkit's own
// options (such as -platform offscreen).
CommandLine ParseCommandLine(const QStringList& arguments);
// The same for arguments known to start with a script, whatever its path's extension.
CommandLine ParseScriptCommandLine(const QStringList& arguments);

}  // namespace basCommandLine
