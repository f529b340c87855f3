#pragma once
// Automation scripts (.sda): a CP932 text whose first line is "VERSION,1", followed by one
// comma-separated command per line. The interpreter runs a script to its end on the calling
// thread; an error in any line shows "自動処理を中止します (line=N)" and abandons the script,
// never the program. It depends on Qt Core only and drives the main window through ScriptHost.
#include <QString>
#include <QStringList>

namespace basConvert {
class LoadProgress;
}

namespace basAutomation {

// The main window as a script sees it.
class ScriptHost {
public:
    virtual ~ScriptHost() = default;
    // The window's Automation entry: "OBJECTCONTROL" or "CLICK,n". False when it failed.
    virtual bool Automation(const QString& command) = 0;
    // The loading window to feed while OPEN reads a file; null for none.
    virtual basConvert::LoadProgress* LoadProgress() { return nullptr; }
    // Shows or removes the busy pointer.
    virtual void SetBusy(bool busy) { (void)busy; }
    // True once the window has been closed (an exit whose save question was answered "No").
    virtual bool IsClosed() const { return false; }
};

enum class ScriptResult {
    NotRun,     // the file is missing or its first line is not "VERSION,1"
    Completed,  // ran to its last line
    Exited,     // EXIT or CLICKEXIT: the program is to end now
    Stopped,    // abandoned with the stop message
};

// Runs the script when its first line reads "VERSION,1" (letter case ignored); otherwise does
// nothing. variables gives the starting values of %1% … %9% (the rest stay empty).
ScriptResult RunScriptFile(const QString& path, ScriptHost& host,
                           const QStringList& variables = {});

// The interpreter loop, without the first-line check.
ScriptResult RunScript(const QString& path, ScriptHost& host, const QStringList& variables = {});

// "自動処理を中止します (line=N)".
QString StopMessage(int line);

}  // namespace basAutomation
