#pragma once
// The arguments of script commands as the commands read them, and the checks that turn a
// failure into the stop of the line (a ScriptError).
#include "shell/scriptcommands.h"

#include <QString>
#include <QStringList>

namespace basAutomation {

// Argument n (1-based) of the command; a missing argument is an error of the line.
const QString& Argument(const QStringList& fields, int n);

// A path written in the script: "\" separators (scripts written for Windows) become "/", and a
// relative path is taken from the script's folder, so a script can sit beside its files.
QString ScriptPath(const ScriptContext& context, const QString& text);

// An output folder written in the script. An empty one (a variable the script was not given)
// is an error: it would turn into the root folder and scatter files there.
QString ScriptFolder(const ScriptContext& context, const QString& text);

// A failure without more to say than the stop message.
void Require(bool ok);

// A file that could not be written stops the line, naming the file and the reason.
void RequireSaved(bool ok, const QString& path);

// The files a command names after a name argument (name + class part + extension, or name +
// ".lap") must lie inside the folder it was given, links of the folders resolved.
void RequireInside(const QString& folder, const QString& name);

// Tells the user (the busy pointer removed first) and lets the script go on or stop.
void Warn(ScriptContext& context, const QString& text);

}  // namespace basAutomation
