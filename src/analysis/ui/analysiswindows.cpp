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
    // The chart window shows nothing when an image cannot be written, and the script goes on:
    // the command always counts as done.
    AutomationTargets::setAnalyzerAutomation([](const QString& command) {
        frmAnalyzer window(QApplication::activeWindow());
        window.Automation(command);
        window.close();
        return true;
    });
}
