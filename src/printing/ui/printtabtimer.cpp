// The timer print of the print tab: the interval chosen and kept, and one timed run with the
// timer's own settings.
#include "printing/ui/printtab.h"

#include "config/ui/modal.h"
#include "printing/ui/frmtimerprint.h"

#include <QCheckBox>
#include <QComboBox>
#include <QListWidget>
#include <QPushButton>

// Ticked again, the timer takes up the interval it ran with last, from this start or an earlier
// one; the tick itself is never kept, so no timer prints before someone asks for it.
void PrintTab::chkpAutoPrint_Click()
{
    if (chkpAutoPrint->isChecked()) {
        cbopAutoPrint->setEnabled(true);
        cmdpAutoPrint->setEnabled(true);
        const int interval = StoredTimerInterval();
        if (AutoPrint().Interval() == 0 && interval > 0)
            cbopAutoPrint->setCurrentText(QString::number(interval));
        return;
    }
    cbopAutoPrint->setCurrentIndex(0);
    cbopAutoPrint_Click();
    cbopAutoPrint->setEnabled(false);
    cmdpAutoPrint->setEnabled(false);
}

void PrintTab::cbopAutoPrint_Click()
{
    autoPrint_->ChooseInterval(cbopAutoPrint->currentText());
}

void PrintTab::AutoPrintInfomation()
{
    autoPrint_->RefreshStatus();
}

void PrintTab::timpAutoPrint_Timer()
{
    autoPrint_->Tick();
}

// One timer run: the latest classes, the timer's own settings when it has them, the output
// action, and the tab's own settings back again.
void PrintTab::runTimerPrint()
{
    if (host_.RefreshClasses)
        host_.RefreshClasses();
    else
        RefreshClassList();
    const int printType = cbopPrintType->currentIndex(), dataType = cbopDataType->currentIndex();
    const QStringList checked = checkedClassNames();
    if (TimerSpecial) {
        cbopPrintType->setCurrentIndex(TimerPrintType);
        FillDataTypes(cbopDataType, TimerPrintType);
        cbopDataType->setCurrentIndex(TimerDataType);
        CheckAll(lstClass, TimerAllClass);
        if (!TimerAllClass) checkNames(TimerSelectedClass);
    }
    timerRun_ = true;
    if (host_.RunOutput)
        host_.RunOutput();
    else
        PrintSplitSheets();
    timerRun_ = false;
    if (TimerSpecial) {
        cbopPrintType->setCurrentIndex(printType);
        FillDataTypes(cbopDataType, printType);
        cbopDataType->setCurrentIndex(dataType);
        CheckAll(lstClass, false);
        checkNames(checked);
    }
}

void PrintTab::cmdpAutoPrint_Click()
{
    frmTimerPrint dialog(*this, this);
    ExecModal(dialog);
    storeSettings();
}
