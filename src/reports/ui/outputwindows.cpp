#include "reports/ui/outputwindows.h"

#include "reports/ui/frmoutput.h"
#include "shell/automationtargets.h"
#include "shell/ui/modal.h"
#include "shell/ui/windowopeners.h"

#include <QApplication>

void RegisterOutputWindows()
{
    WindowOpeners::setOutputWindowOpener([](QWidget* owner) {
        if (owner) {
            ExecModal(frmOutput::Of(owner));
            return;
        }
        frmOutput window;
        ExecModal(window);
    });
    // Scripts unload the dialog after every command, so each command starts from a freshly
    // loaded dialog.
    AutomationTargets::setOutputAutomation([](const QString& command) {
        frmOutput window(QApplication::activeWindow());
        const bool done = window.Automation(command);
        window.close();
        return done;
    });
}
