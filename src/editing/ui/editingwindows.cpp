#include "editing/ui/editingwindows.h"

#include "editing/ui/frmclassedit.h"
#include "shell/ui/modal.h"
#include "shell/ui/windowopeners.h"

void RegisterEditingWindows()
{
    WindowOpeners::setEditWindowOpener([](QWidget* owner) {
        frmClassEdit window(owner);
        ExecModal(window);
    });
}
