#include "shell/ui/scriptwindows.h"

#include "analysis/ui/frmanalyzer.h"
#include "reports/ui/frmoutput.h"
#include "shell/automationtargets.h"

#include <QApplication>

void RegisterScriptWindows()
{
    // An image that cannot be written is reported and the script goes on (the command counts as
    // done); the failure is noted so the script ends with a failure status.
    AutomationTargets::setAnalyzerAutomation([](const QStringList& fields) {
        frmAnalyzer window(QApplication::activeWindow());
        if (window.Automation(fields) > 0) AutomationTargets::NoteWriteFailure();
        window.close();
        return true;
    });
    // Scripts unload the dialog after every command, so each command starts from a freshly
    // loaded dialog.
    AutomationTargets::setOutputAutomation([](const QStringList& fields) {
        frmOutput window(QApplication::activeWindow());
        const bool done = window.Automation(fields);
        window.close();
        return done;
    });
}
