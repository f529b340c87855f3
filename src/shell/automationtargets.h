#pragma once
// The windows a script drives besides the main window. The analysis window answers "CHART",
// "CHART1" and "CHART2" commands and the output dialog "HTML" and "LEG" commands; each
// registers a handler when the program starts. A handler shows its window, passes the command
// to the window's Automation, unloads the window again and returns false when the command
// failed. A command whose window has not registered fails. Commands travel as their fields, the
// keyword first, so that a field may hold a "," (a folder or a race name with one).
#include <QString>
#include <QStringList>

#include <functional>

namespace AutomationTargets {

using Handler = std::function<bool(const QStringList& fields)>;

// Registers (or, with an empty handler, removes) the handler of a window.
void setAnalyzerAutomation(Handler handler);
void setOutputAutomation(Handler handler);

// Files a driven window could not write while the script went on (a chart image, say): noted
// by the handler, cleared when a script starts, and read when it ends to give a failure status.
void NoteWriteFailure();
bool HadWriteFailure();
void ClearWriteFailures();

// Passes the command to the registered handler; false when none is registered or it failed.
bool RunAnalyzerAutomation(const QStringList& fields);
bool RunOutputAutomation(const QStringList& fields);
// The same for a command text, split at every ",".
bool RunAnalyzerAutomation(const QString& command);
bool RunOutputAutomation(const QString& command);

}  // namespace AutomationTargets
