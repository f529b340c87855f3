#pragma once
// The commands of an automation script, one line at a time (used by the interpreter loop).
#include "shell/automation.h"

#include <QString>
#include <QStringList>

#include <array>
#include <stdexcept>

namespace basAutomation {

struct ScriptContext {
    ScriptHost& host;
    QString scriptFolder;  // relative paths in the script are taken from here
    QString desktopFolder;
    QString documentsFolder;
    std::array<QString, 10> variables;  // %1% … %9% in elements 1 … 9
    bool writeFailed = false;           // a file the script went on without was not written
};

enum class CommandResult { Continue, Stop, Exit };

// The failure of a line: the script stops there. message is what to tell the user before the
// stop message (the file and the reason, say); empty when there is nothing more to say.
struct ScriptError : std::runtime_error {
    explicit ScriptError(const char* what, const QString& text = QString())
        : std::runtime_error(what), message(text)
    {
    }
    QString message;
};

// Replaces %desktop%, %documents%, %eventname% and %1% … %9% (letter case ignored), in that
// order. The race name enters as CbasGeneral::NameForFileName makes it, since scripts build
// file names of it.
QString ReplaceVariables(const ScriptContext& context, const QString& text);

// The fields of a script line: split at every "," first, then each field's variables replaced,
// so that a "," in a variable's value stays inside its field.
QStringList LineFields(const ScriptContext& context, const QString& line);

// Runs one command given as its fields. A line of nothing but spaces and commas does nothing,
// nor does a VERSION line or a comment (a first field "REM" or "REM …"); an unknown keyword
// (written with a space before or after it, too) is an error. Failures (a missing argument, a copy
// that fails, a file that cannot be written, a name that leads out of its folder) throw
// ScriptError; the caller turns them into a stop.
CommandResult ExecuteCommand(ScriptContext& context, const QStringList& fields);

}  // namespace basAutomation
