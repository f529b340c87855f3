#pragma once
// Automation scripts (.sda): a CP932 text whose first line is "VERSION,1", followed by one
// comma-separated command per line. The interpreter runs a script to its end on the calling
// thread; an error in any line shows "自動処理を中止します (line=N)" and abandons the script,
// never the program. It depends on Qt Core only: every command calls the functions the windows'
// buttons call, and what differs with windows goes through the ScriptHost.
#include "shell/scripthost.h"

#include <QString>
#include <QStringList>

namespace basAutomation {

enum class ScriptResult {
    NotRun,     // the file is missing or its first line is not "VERSION,1"
    Completed,  // ran to its last line
    Exited,     // EXIT or CLICKEXIT: the program is to end now
    Stopped,    // abandoned with the stop message
};

// How a script run went.
struct ScriptOutcome {
    ScriptResult result = ScriptResult::NotRun;
    // A file the script went on without (a chart image) could not be written.
    bool writeFailed = false;
};

// The exit status of a program without a display that ran the script: 0 when it ran to its last
// line or to EXIT with every file written, 1 otherwise.
int ExitStatus(const ScriptOutcome& outcome);

// Runs the script when its first line reads "VERSION,1" (letter case ignored); otherwise says why
// not. variables gives the starting values of %1% … %9% (the rest stay empty).
ScriptOutcome RunScriptFile(const QString& path, ScriptHost& host,
                            const QStringList& variables = {});

// The interpreter loop, without the first-line check.
ScriptOutcome RunScript(const QString& path, ScriptHost& host, const QStringList& variables = {});

// "自動処理を中止します (line=N)".
QString StopMessage(int line);

}  // namespace basAutomation
