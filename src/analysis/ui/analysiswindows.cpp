#include "analysis/ui/analysiswindows.h"

#include "analysis/ui/frmanalyzer.h"
#include "shell/automationtargets.h"
#include "shell/ui/modal.h"
#include "shell/ui/windowopeners.h"

#include <QApplication>

void RegisterAnalysisWindows()
{
    WindowOpeners::setShowWindowOpener([](QWidget* owner) {
        frmAnalyzer window(owner);
        ExecModal(window);
    });
    // An image that cannot be written is reported and the script goes on (the command counts as
    // done); the failure is noted so the script ends with a failure status.
    AutomationTargets::setAnalyzerAutomation([](const QString& command) {
        frmAnalyzer window(QApplication::activeWindow());
        if (window.Automation(command) > 0) AutomationTargets::NoteWriteFailure();
        window.close();
        return true;
    });
}
