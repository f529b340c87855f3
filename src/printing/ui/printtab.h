#pragma once
// The print tab of the output dialog: print type and data type, printer, paper, orientation,
// zoom, margins, a page per class, the layout options and the timer print. The class list
// (lstClass(1) with its buttons) belongs to the dialog and is handed in; the dialog also tells
// the tab whether it is the selected tab and runs the output action for the timer.
#include "printing/autoprint.h"
#include "printing/splitsheets.h"
#include "race/racedocument.h"

#include <QStringList>
#include <QWidget>

#include <functional>
#include <memory>

class PrintDevice;
class QDateTime;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;
class QTimer;

// What the tab needs from the dialog it sits in. Every member may be left empty; the tab then
// uses its own behaviour (noted with each).
struct PrintTabHost {
    // The data type names of a print type ("" past the last); default: the print types of the
    // split sheets.
    std::function<QString(int printType, int dataType)> GetDataType;
    // Whether the print tab is the selected tab; default: the tab is visible.
    std::function<bool()> PrintTabSelected;
    // Whether the dialog is visible; default: the tab's window is visible.
    std::function<bool()> DialogVisible;
    // The output button's action; default: PrintSplitSheets.
    std::function<void()> RunOutput;
    // "最新の状態に更新" on the print list; default: RefreshClassList.
    std::function<void()> RefreshClasses;
    // Unticks "出力後閉じる"; default: nothing.
    std::function<void()> KeepDialogOpen;
    // The folder into which timer runs on the "PDF" printer write; default: the home folder.
    std::function<QString()> OutputFolder;
};

class PrintTab : public QWidget {
    Q_OBJECT
public:
    // Prints the classes of the document's race. classList is the dialog's lstClass(1): one
    // checkable entry per class.
    PrintTab(const RaceDocument& document, QListWidget* classList, PrintTabHost host = {},
             QWidget* parent = nullptr);
    ~PrintTab() override;

    QLabel* Label1;
    QComboBox* cbopPrintType;
    QLabel* Label12;
    QComboBox* cbopDataType;
    QLabel* Label13;
    QComboBox* cbopPrinter;
    QLabel* Label14;
    QComboBox* cbopPaperSize;
    QComboBox* cbopOrientation;
    QLabel* Label15;
    QComboBox* cbopZoomRatio;
    QLabel* Label16;
    QLabel* Label18;
    QLabel* Label19;
    QLineEdit* txtpMarginTop;
    QLabel* Label17;
    QLabel* Label21;
    QLineEdit* txtpMarginLeft;
    QLabel* Label20;
    QCheckBox* chkpEachClass;
    QPushButton* cmdpSetting;
    QLabel* lblpOption;
    QCheckBox* chkpAutoPrint;
    QComboBox* cbopAutoPrint;
    QLabel* Label22;
    QPushButton* cmdpAutoPrint;
    QLabel* lblpAutoPrint;
    QTimer* timpAutoPrint;
    QListWidget* lstClass;  // the dialog's print list

    // The timer-only settings (kept in the settings file once confirmed in the details dialog).
    bool TimerSpecial = false;
    bool TimerSpecialSetting = false;
    int TimerPrintType = 0;
    int TimerDataType = 0;
    bool TimerAllClass = true;
    QStringList TimerSelectedClass;

    // One print run of the checked classes with the tab's settings. The "PDF" printer asks for
    // the file first, except in a timer run, which asks nothing: it writes TimerPdfName() into
    // the output folder. False when cancelled or when the document could not be written or
    // sent; a manual run says so in a message, a timer run (nobody may be there to answer) in
    // the status label.
    bool PrintSplitSheets();
    // The file of a timer run on the "PDF" printer: "splits_" + date and time
    // (yyyyMMdd_HHmmss) + ".pdf".
    static QString TimerPdfName(const QDateTime& when);
    // The name the "PDF" printer proposes: the race's file name with ".pdf" (the dialog starts
    // in the race's folder), else the race name, else "splits.pdf".
    QString ProposedPdfName() const;
    // The job the tab's controls describe.
    SplitSheetJob CurrentJob() const;
    // Refreshes the timer's status label.
    void AutoPrintInfomation();
    // One minute of the timer (also run at once when a shorter interval is chosen).
    void timpAutoPrint_Timer();
    // Refills the printer list (the system's printers and "PDF") and selects the first.
    void FillPrinters(const QStringList& names);
    // Refills the print list from the race, keeping the checks of the classes still there.
    void RefreshClassList();
    // The class name an entry of the print list stands for ("名称未設定" is the empty name).
    static QString ClassNameOf(const QListWidgetItem* item);
    // An entry is chosen by its check box when it has one, otherwise by being selected (the
    // output dialog's lists).
    static bool IsChecked(const QListWidgetItem* item);
    static void SetChecked(QListWidgetItem* item, bool checked);
    // Sets every entry's check.
    static void CheckAll(QListWidget* list, bool checked);
    // Refills a data type combo from GetDataType for the print type, keeping the chosen index.
    void FillDataTypes(QComboBox* combo, int printType) const;
    QString DataTypeName(int printType, int dataType) const;

    const AutoPrintTimer& AutoPrint() const { return *autoPrint_; }
    // The timer interval last chosen, from the settings file; 0 when none was.
    static int StoredTimerInterval();

signals:
    // Before a print run writes anything (for the dialog's busy state).
    void printing();

protected:
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    // The tab's choices from and to the settings file (printtabsettings.cpp). Every change of
    // a choice is stored at once; the file is written when the tab is hidden.
    void restoreSettings();
    void storeSettings();
    void storeOnChange();
    void cbopPrinter_Click();
    void chkpAutoPrint_Click();
    void cbopAutoPrint_Click();
    void cmdpSetting_Click();
    void cmdpAutoPrint_Click();
    void runTimerPrint();
    QStringList checkedClassNames() const;
    // The PDF file of a run: asked for, or in a timer run named by the time in the output
    // folder. Empty when there is none (cancelled, or no folder to write into).
    QString PdfPath();
    void PrintFailed(const QString& message);
    void checkNames(const QStringList& names);

    PrintTabHost host_;
    bool timerRun_ = false;  // a timer run is printing: nothing may wait for an answer
    bool restoring_ = true;  // the controls are being filled: no choice is stored
    std::unique_ptr<MinuteClock> clock_;
    std::unique_ptr<AutoPrintTimer> autoPrint_;
    std::unique_ptr<PrintDevice> printer_;  // the chosen printer, for its papers
    const RaceDocument& document_;
};
