#include "reports/ui/frmoutput.h"

#include "config/registry.h"
#include "config/settings.h"
#include "config/ui/elidedlabel.h"
#include "config/ui/scopedcursor.h"
#include "editing/raceedits.h"
#include "printing/printdatatype.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "reports/outputfolder.h"
#include "reports/outputrun.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTabBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

frmOutput::PageBuilder& printPageBuilder()
{
    static frmOutput::PageBuilder builder;
    return builder;
}

frmOutput::PrintRun& printRun()
{
    static frmOutput::PrintRun run;
    return run;
}

// The folder at load: the one written into last, else the desktop; many desktops have no
// desktop folder, so then the documents folder, or at last the home folder.
QString InitialFolder()
{
    const QString stored = basSettings::OutputFolder();
    if (!stored.isEmpty()) return stored;
    for (const auto id :
         {CbasWinAPI::SpecialFolder::Desktop, CbasWinAPI::SpecialFolder::Documents}) {
        const QString folder = CbasWinAPI::SpecialFolderPath(id);
        if (!folder.isEmpty() && QFileInfo(folder).isDir()) return folder;
    }
    return QDir::homePath();
}

// What a choice of data type or file type changed in the other one: a data type that the new
// file type cannot write, a file type the new data type needs, or the chosen data type back.
QString ChoiceNote(const basExport::OutputOptions& before, const basExport::OutputOptions& after)
{
    const QStringList dataTypes = basExport::DataTypeCaptions();
    const QStringList fileTypes = basExport::FileTypeCaptions();
    const auto quoted = [](const QString& text) {
        return QStringLiteral("「") + text + QStringLiteral("」");
    };
    if (after.fileType != before.fileType && after.dataType != before.dataType) {
        // A data type just chosen moved the file type; otherwise a file type moved the data type.
        if (after.chosenDataType != before.chosenDataType)
            return QStringLiteral("出力形式を") +
                   quoted(fileTypes.value(static_cast<int>(after.fileType))) +
                   QStringLiteral("にしました");
        return QStringLiteral("出力内容を") +
               quoted(dataTypes.value(static_cast<int>(after.dataType))) +
               QStringLiteral("にしました");
    }
    return QString();
}

// How many files an output run wrote, and where.
QString OutputSummary(const basExport::OutputReport& report, const QString& folder)
{
    QString text =
        QString::number(report.written.size()) + QStringLiteral(" 個のファイルを出力しました");
    if (!report.untouched.isEmpty())
        text += QStringLiteral("（") + QString::number(report.untouched.size()) +
                QStringLiteral(" 個は内容が同じため書き換えていません）");
    text +=
        QStringLiteral(": ") + CbasGeneral::AddPathSeparator(QFileInfo(folder).absoluteFilePath());
    if (report.failed) text += QStringLiteral("。出力できなかったファイルがあります");
    return text;
}

}  // namespace

frmOutput& frmOutput::Of(QWidget* owner, RaceDocument& document)
{
    const QString name = QStringLiteral("frmOutput");
    if (auto* kept = owner->findChild<frmOutput*>(name, Qt::FindDirectChildrenOnly)) return *kept;
    auto* created = new frmOutput(document, owner);
    created->setObjectName(name);
    return *created;
}

void frmOutput::setPrintPageBuilder(PageBuilder builder)
{
    printPageBuilder() = std::move(builder);
}

void frmOutput::setPrintRun(PrintRun run)
{
    printRun() = std::move(run);
}

frmOutput::frmOutput(RaceDocument& document, QWidget* parent) : QDialog(parent), document_(document)
{
    setWindowTitle(QStringLiteral("出力"));
    for (int i = 0; i < 2; ++i) {
        lstClass[i] = new QListWidget;
        lstClass[i]->setSelectionMode(QAbstractItemView::MultiSelection);
        cmdCheck[i] = new QPushButton(QStringLiteral("全てチェック"));
        cmdUncheck[i] = new QPushButton(QStringLiteral("全てはずす"));
        cmdRefresh[i] = new QPushButton(QStringLiteral("最新の状態に更新"));
        connect(cmdCheck[i], &QPushButton::clicked, this, [this, i] { cmdCheck_Click(i); });
        connect(cmdUncheck[i], &QPushButton::clicked, this, [this, i] { cmdUncheck_Click(i); });
        connect(cmdRefresh[i], &QPushButton::clicked, this, [this, i] { cmdRefresh_Click(i); });
    }
    tabMain = new QTabBar;
    tabMain->addTab(QStringLiteral("ファイル"));
    tabMain->addTab(QStringLiteral("印刷"));
    picTray[0] = buildFilePage();
    picTray[1] = new QWidget;
    buildPrintPage();

    cmdOutput = new QPushButton(QStringLiteral("出力"));
    cmdCancel = new QPushButton(QStringLiteral("閉じる"));
    chkClose = new QCheckBox(QStringLiteral("出力後閉じる"));
    chkClose->setChecked(true);
    connect(cmdOutput, &QPushButton::clicked, this, &frmOutput::cmdOutput_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::hide);
    connect(tabMain, &QTabBar::currentChanged, this, &frmOutput::tabChanged);

    lblStatus = new ElidedLabel;

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(chkClose);
    buttons->addStretch();
    buttons->addWidget(cmdOutput);
    buttons->addWidget(cmdCancel);
    // Both pages in one stack, so that the dialog keeps its size and its buttons their places
    // whichever tab is shown.
    pages_ = new QStackedWidget;
    pages_->addWidget(picTray[0]);
    pages_->addWidget(picTray[1]);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabMain);
    layout->addWidget(pages_, 1);
    layout->addWidget(lblStatus);
    layout->addLayout(buttons);

    LoadForm();
    if (printPageBuilder()) printPageBuilder()(*this);
}

void frmOutput::LoadForm()
{
    options_ = basExport::InitialOutputOptions(document_.RaceInfo(), InitialFolder());
    options_.homePageUrl = basSettings::SettingsFile().Item(QStringLiteral("HomePageUrl"));
    showOptions();
    FillClassList();
    loadedRaceName_ = document_.RaceInfo().RaceName;
}

void frmOutput::FillClassList()
{
    const QStringList entries = basExport::ClassListEntries(document_.ClassList());
    for (QListWidget* list : lstClass) {
        list->clear();
        list->addItems(entries);
        list->selectAll();
    }
}

basExport::OutputOptions frmOutput::Options() const
{
    basExport::OutputOptions o = options_;
    o.folder = txtfFolder->text();
    o.fileName = txtfFileName->text();
    o.extension = cbofKakuchoshi->currentText();
    o.lowerCase = chkfLowCase->isChecked();
    o.labelText = txtfLabel->text();
    o.index = chkfIndex->isChecked();
    o.columns = optfTate->isChecked();
    return o;
}

void frmOutput::react(const std::function<void(basExport::OutputOptions&)>& choice)
{
    if (showing_) return;
    const basExport::OutputOptions before = Options();
    options_ = before;
    choice(options_);
    lblfNote->setFullText(ChoiceNote(before, options_));
    showOptions();
}

void frmOutput::showOptions()
{
    showing_ = true;
    const basExport::OutputOptions& o = options_;
    cbofDataType->setCurrentIndex(static_cast<int>(o.dataType));
    cbofFileType->setCurrentIndex(static_cast<int>(o.fileType));
    txtfFolder->setText(o.folder);
    lblfYear->setText(o.yearPrefix);
    txtfFileName->setText(o.fileName);
    lblfWild->setText(o.wildcard);
    cbofKakuchoshi->setCurrentText(o.extension);
    chkfLowCase->setChecked(o.lowerCase);
    chkfForExcel->setChecked(o.forExcel);
    chkfForExcel->setEnabled(o.forExcelEnabled);
    txtfLabel->setText(o.labelText);
    for (QWidget* w : {static_cast<QWidget*>(txtfLabel), static_cast<QWidget*>(vscfLabel),
                       static_cast<QWidget*>(Label11)})
        w->setEnabled(o.labelEnabled);
    chkfIndex->setChecked(o.index);
    chkfOneFile->setChecked(o.oneFile);
    (o.columns ? optfTate : optfYoko)->setChecked(true);
    optionPanels_->setCurrentIndex(o.htmlPanelVisible ? 0 : o.csvPanelVisible ? 1 : 2);
    showing_ = false;
}

void frmOutput::tabChanged(int index)
{
    if (index < 0 || index > 1) return;
    pages_->setCurrentIndex(index);
    shownTab_ = index;
    lblStatus->setFullText(QString());  // it tells of a file output, not of the page now shown
}

void frmOutput::cmdCheck_Click(int index)
{
    lstClass[index]->selectAll();
}

void frmOutput::cmdUncheck_Click(int index)
{
    lstClass[index]->clearSelection();
}

// A cancelled browser leaves the folder as it was.
void frmOutput::cmdfRefer_Click()
{
    const QString chosen =
        Prompts::current().browseFolder(QStringLiteral("出力フォルダ"), txtfFolder->text());
    if (!chosen.isEmpty()) txtfFolder->setText(chosen);
}

// Reads the race file again but keeps the header edits made since it was loaded. A file that
// cannot be read any more is told, and the race in memory stays.
void frmOutput::cmdRefresh_Click(int)
{
    QString failure;
    if (!basRaceEdit::ReloadKeepingHeader(document_, &failure))
        Prompts::message(failure + QStringLiteral("\n") + document_.CurrentFilePath(),
                         Prompts::Icon::Exclamation);
    FillClassList();
}

QStringList frmOutput::SelectedEntries(int index) const
{
    QStringList entries;
    const QListWidget* list = lstClass[index];
    for (int i = 0; i < list->count(); ++i)
        if (list->item(i)->isSelected()) entries << list->item(i)->text();
    return entries;
}

// The dialog stays open after a run that failed, whatever "出力後閉じる" says, so that what
// went wrong can be put right and the run started again.
void frmOutput::cmdOutput_Click()
{
    lastRunFailed_ = true;
    if (tabMain->currentIndex() == 0) {
        if (txtfFileName->text().isEmpty()) {
            txtfFileName->setFocus();
            QApplication::beep();
            return;
        }
        const QString problem = basExport::OutputFolderProblem(txtfFolder->text());
        if (!problem.isEmpty()) {
            Prompts::message(problem, Prompts::Icon::Exclamation);
            txtfFolder->setFocus();
            return;
        }
        basSettings::SetOutputFolder(txtfFolder->text());
        runFileOutput();
    } else {
        lastRunFailed_ = !(printRun() && printRun()(*this));
    }
    if (chkClose->isChecked() && !lastRunFailed_) hide();
}

void frmOutput::runFileOutput()
{
    // A script's dialog has every class of its race chosen; only a person can untick them all.
    if (!automation_ && SelectedEntries(0).isEmpty()) {
        const QString text =
            QStringLiteral("出力するクラスが選ばれていません。何も出力しませんでした。");
        lblStatus->setFullText(text);
        Prompts::message(text, Prompts::Icon::Exclamation);
        lstClass[0]->setFocus();
        return;
    }
    OutputFiles();
}

// The summary goes to the status line; a dialog about to close after the run tells it in a
// message as well, since its status line is then out of sight.
void frmOutput::OutputFiles()
{
    basExport::OutputReport report;
    {
        const ScopedCursor busy;
        report = basExport::OutputFiles(document_.race(), Options(), SelectedEntries(0));
    }
    lastRunFailed_ = report.failed;
    const QString summary = OutputSummary(report, txtfFolder->text());
    lblStatus->setFullText(summary);
    if (!automation_ && !lastRunFailed_ && chkClose->isChecked())
        Prompts::message(summary, Prompts::Icon::Information);
}

bool frmOutput::Automation(const QString& scriptCommand)
{
    return Automation(scriptCommand.split(QLatin1Char(',')));
}

bool frmOutput::Automation(const QStringList& items)
{
    const std::optional<basExport::OutputDataType> type =
        basExport::ScriptPageDataType(items.value(0));
    if (!type) return true;
    show();
    repaint();
    tabMain->setCurrentIndex(0);
    options_ = basExport::ScriptPageOptions(Options(), *type, items.value(1), items.value(2));
    showOptions();
    automation_ = true;
    cmdOutput_Click();
    automation_ = false;
    return !lastRunFailed_;
}

QString frmOutput::GetDataType(int printTypeIndex, int dataTypeIndex)
{
    return CbasPrinter::PrintDataTypeName(printTypeIndex, dataTypeIndex);
}

// The dialog lives on between openings; a race whose classes changed meanwhile (edited, another
// file) gets its lists refilled.
void frmOutput::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    QStringList shown;
    for (int i = 0; i < lstClass[0]->count(); ++i) shown << lstClass[0]->item(i)->text();
    if (shown != basExport::ClassListEntries(document_.ClassList())) FillClassList();
}

// Activated again for another race than the one it was loaded with, the form loads afresh.
void frmOutput::changeEvent(QEvent* event)
{
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow() &&
        document_.RaceInfo().RaceName != loadedRaceName_)
        LoadForm();
}

// The file name box selects its whole text when it gets the focus.
bool frmOutput::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == txtfFileName && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtfFileName, &QLineEdit::selectAll);
    return QDialog::eventFilter(watched, event);
}
