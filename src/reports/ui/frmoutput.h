#pragma once
// The output dialog: the file tab writes HTML, CSV and text files of many classes at once; the
// print tab holds the split-sheet printing, which the printing windows put on its page through
// the builder registered with setPrintPageBuilder. Closing the dialog hides it; the main window
// keeps one dialog for the whole run.
#include "race/racedocument.h"
#include "reports/outputoptions.h"

#include <QDialog>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QStackedWidget;
class QTabBar;
class ElidedLabel;

class frmOutput : public QDialog {
    Q_OBJECT
public:
    // The output dialog of the document's race.
    explicit frmOutput(RaceDocument& document, QWidget* parent = nullptr);

    // Fills the print tab's page (picTray[1]); called at the end of every construction. The
    // page already holds lstClass[1], cmdCheck[1], cmdUncheck[1] and cmdRefresh[1].
    using PageBuilder = std::function<void(frmOutput& form)>;
    static void setPrintPageBuilder(PageBuilder builder);
    // The print run started by "出力" while the print tab is shown; false when nothing was
    // printed (cancelled or failed), which keeps the dialog open.
    using PrintRun = std::function<bool(frmOutput& form)>;
    static void setPrintRun(PrintRun run);

    // The output dialog of the owner window, created at its first opening and kept (hidden
    // while closed) as long as the owner lives, so that its settings and a running timer
    // print stay.
    static frmOutput& Of(QWidget* owner, RaceDocument& document);
    // The race the dialog writes.
    RaceDocument& Document() const { return document_; }

    // Script commands "HTML,folder,name" and "LEG,folder,name"; false when nothing could be
    // written or a file failed. Other commands do nothing and count as done. The command text
    // is split at ","; scripts pass its fields, which may hold a "," themselves.
    bool Automation(const QString& scriptCommand);
    bool Automation(const QStringList& items);
    // The name of a print data type of print type 0; empty for any other combination.
    static QString GetDataType(int printTypeIndex, int dataTypeIndex);

    // The settings the file tab shows, as one output run takes them.
    basExport::OutputOptions Options() const;
    // The list entries selected in lstClass[index], in list order.
    QStringList SelectedEntries(int index) const;

    void cmdOutput_Click();
    void cmdRefresh_Click(int index);
    void cmdCheck_Click(int index);
    void cmdUncheck_Click(int index);
    void cmdfRefer_Click();

    QTabBar* tabMain;
    std::array<QWidget*, 2> picTray;
    QComboBox* cbofDataType;
    QComboBox* cbofFileType;
    QLineEdit* txtfFolder;
    QPushButton* cmdfRefer;
    QLabel* lblfYear;
    QLineEdit* txtfFileName;
    QLabel* lblfWild;
    QComboBox* cbofKakuchoshi;
    std::array<QListWidget*, 2> lstClass;
    std::array<QPushButton*, 2> cmdCheck;
    std::array<QPushButton*, 2> cmdUncheck;
    std::array<QPushButton*, 2> cmdRefresh;
    QCheckBox* chkfLowCase;
    std::array<QGroupBox*, 2> picfOption;
    QCheckBox* chkfForExcel;
    QLabel* Label11;
    QLineEdit* txtfLabel;
    QSpinBox* vscfLabel;
    QCheckBox* chkfIndex;
    QCheckBox* chkfOneFile;
    QRadioButton* optfYoko;
    QRadioButton* optfTate;
    QPushButton* cmdOutput;
    QPushButton* cmdCancel;
    QCheckBox* chkClose;
    // What the last choice of data type or file type changed in the other one, if anything.
    ElidedLabel* lblfNote;
    // What the last file output wrote and where (also told in a message when the dialog closes
    // after it).
    ElidedLabel* lblStatus;

    // The last output run (tests and scripts).
    bool LastRunFailed() const { return lastRunFailed_; }

protected:
    void changeEvent(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* buildFilePage();
    QWidget* buildHtmlOptions();
    QWidget* buildCsvOptions();
    void buildPrintPage();
    void LoadForm();
    void FillClassList();
    void OutputFiles();
    // Takes the typed settings into the model, lets it react, and shows the result.
    void react(const std::function<void(basExport::OutputOptions&)>& choice);
    void showOptions();
    void tabChanged(int index);
    // The file tab's output run: refused with a message when no class is chosen.
    void runFileOutput();

    QStackedWidget* pages_;         // the pages of the two tabs, as large as the larger one
    QStackedWidget* optionPanels_;  // the HTML and CSV option panels and an empty page

    basExport::OutputOptions options_;
    QString loadedRaceName_;
    int shownTab_ = 0;
    bool showing_ = false;  // controls are being set from the model: no reactions
    bool lastRunFailed_ = false;
    bool automation_ = false;  // a script runs the dialog: nobody reads messages of success
    RaceDocument& document_;
};
