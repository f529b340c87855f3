#include "printing/ui/printwindows.h"

#include "printing/ui/printtab.h"
#include "reports/ui/frmoutput.h"

#include <QCheckBox>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QTabBar>

namespace {

constexpr int kPrintTab = 1;

void buildPrintPage(frmOutput& form)
{
    PrintTabHost host;
    host.GetDataType = [](int printType, int dataType) {
        return frmOutput::GetDataType(printType, dataType);
    };
    host.PrintTabSelected = [&form] { return form.tabMain->currentIndex() == kPrintTab; };
    host.DialogVisible = [&form] { return form.isVisible(); };
    host.RunOutput = [&form] { form.cmdOutput_Click(); };
    host.RefreshClasses = [&form] { form.cmdRefresh_Click(kPrintTab); };
    host.KeepDialogOpen = [&form] { form.chkClose->setChecked(false); };
    host.OutputFolder = [&form] { return form.txtfFolder->text(); };
    auto* tab = new PrintTab(form.Document(), form.lstClass[kPrintTab], std::move(host),
                             form.picTray[kPrintTab]);
    tab->setObjectName(QStringLiteral("PrintTab"));
    // The print settings above the dialog's class list.
    if (auto* layout = qobject_cast<QBoxLayout*>(form.picTray[kPrintTab]->layout()))
        layout->insertWidget(0, tab);
    // The status label follows the tab being shown or left.
    QObject::connect(form.tabMain, &QTabBar::currentChanged, tab,
                     [tab](int) { tab->AutoPrintInfomation(); });
}

}  // namespace

PrintTab* PrintTabOf(frmOutput& form)
{
    return form.findChild<PrintTab*>(QStringLiteral("PrintTab"));
}

void RegisterPrintingWindows()
{
    frmOutput::setPrintPageBuilder(buildPrintPage);
    frmOutput::setPrintRun([](frmOutput& form) {
        PrintTab* tab = PrintTabOf(form);
        return tab && tab->PrintSplitSheets();
    });
}
