#pragma once
// The commands of an automation script, one line at a time (used by the interpreter loop).
#include "shell/automation.h"

#include <QString>
#include <QStringList>

#include <array>

namespace basAutomation {

struct ScriptContext {
    ScriptHost& host;
    QString scriptFolder;  // relative paths in the script are taken from here
    QString desktopFolder;
    QString documentsFolder;
    std::array<QString, 10> variables;  // %1% … %9% in elements 1 … 9
};

enum class CommandResult { Continue, Stop, Exit };

// Replaces %desktop%, %documents%, %eventname% and %1% … %9% (letter case ignored), in that
// order.
QString ReplaceVariables(const ScriptContext& context, const QString& line);

// Runs one command given as its comma-separated fields. Failures (a missing argument, a copy
// that fails, a window that reports an error) throw; the caller turns them into a stop.
CommandResult ExecuteCommand(ScriptContext& context, const QStringList& fields);

}  // namespace basAutomation
