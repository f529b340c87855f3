#include "printing/ui/printtab.h"

#include "config/control.h"
#include "config/settings.h"
#include "config/ui/modal.h"
#include "config/ui/scopedcursor.h"
#include "printing/papers.h"
#include "printing/pdfdevice.h"
#include "printing/ui/frmfontskhsetting.h"
#include "printing/ui/frmtimerprint.h"
#include "printing/ui/qtprinter.h"
#include "race/filenameparts.h"
#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/textutil.h"
#include "reports/outputfolder.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace {

// The minute clock of the timer print over the tab's QTimer.
class TimerClock : public MinuteClock {
public:
    explicit TimerClock(QTimer* timer) : timer_(timer) {}
    void Start(int intervalMs, std::function<void()> tick) override
    {
        QObject::disconnect(timer_, &QTimer::timeout, nullptr, nullptr);
        QObject::connect(timer_, &QTimer::timeout, timer_, std::move(tick));
        timer_->start(intervalMs);
    }
    void Stop() override { timer_->stop(); }
    bool Running() const override { return timer_->isActive(); }

private:
    QTimer* timer_;
};

QLabel* label(const QString& text, QWidget* parent)
{
    return new QLabel(text, parent);
}

}  // namespace

PrintTab::PrintTab(const RaceDocument& document, QListWidget* classList, PrintTabHost host,
                   QWidget* parent)
    : QWidget(parent), lstClass(classList), host_(std::move(host)), document_(document)
{
    buildControls();
    clock_ = std::make_unique<TimerClock>(timpAutoPrint);
    AutoPrintHost timerHost;
    timerHost.DialogVisible = [this] {
        return host_.DialogVisible ? host_.DialogVisible() : window()->isVisible();
    };
    timerHost.PrintTabSelected = [this] {
        return host_.PrintTabSelected ? host_.PrintTabSelected() : isVisible();
    };
    timerHost.AutoPrintTicked = [this] { return chkpAutoPrint->isChecked(); };
    timerHost.KeepDialogOpen = [this] {
        if (host_.KeepDialogOpen) host_.KeepDialogOpen();
    };
    timerHost.Print = [this] { runTimerPrint(); };
    timerHost.ShowStatus = [this](const QString& text) { lblpAutoPrint->setText(text); };
    autoPrint_ = std::make_unique<AutoPrintTimer>(*clock_, std::move(timerHost));

    FillDataTypes(cbopDataType, 0);
    FillPrinters(CbasPrinter::PrinterNames());
    restoreSettings();
    restoring_ = false;
    storeOnChange();
}

void PrintTab::storeOnChange()
{
    const auto store = [this] { storeSettings(); };
    for (QComboBox* combo : {cbopPrinter, cbopPaperSize, cbopOrientation, cbopDataType})
        connect(combo, qOverload<int>(&QComboBox::currentIndexChanged), this, store);
    for (QComboBox* combo : {cbopZoomRatio, cbopAutoPrint})
        connect(combo, &QComboBox::editTextChanged, this, store);
    for (QLineEdit* box : {txtpMarginTop, txtpMarginLeft})
        connect(box, &QLineEdit::textChanged, this, store);
    connect(chkpEachClass, &QCheckBox::toggled, this, store);
}

void PrintTab::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    basSettings::SettingsFile().Save();
}

PrintTab::~PrintTab() = default;

void PrintTab::buildControls()
{
    Label1 = label(QStringLiteral("出力形式"), this);
    cbopPrintType = new QComboBox(this);
    cbopPrintType->addItem(QStringLiteral("速報向け"));
    Label12 = label(QStringLiteral("出力内容"), this);
    cbopDataType = new QComboBox(this);
    Label13 = label(QStringLiteral("プリンター"), this);
    cbopPrinter = new QComboBox(this);
    Label14 = label(QStringLiteral("用紙サイズ"), this);
    cbopPaperSize = new QComboBox(this);
    cbopOrientation = new QComboBox(this);
    Label15 = label(QStringLiteral("印刷倍率"), this);
    cbopZoomRatio = new QComboBox(this);
    cbopZoomRatio->setEditable(true);
    cbopZoomRatio->addItems({QStringLiteral("100"), QStringLiteral("200"), QStringLiteral("141"),
                             QStringLiteral("123"), QStringLiteral("86"), QStringLiteral("70"),
                             QStringLiteral("50")});
    Label16 = label(QStringLiteral("%"), this);
    Label18 = label(QStringLiteral("余白"), this);
    Label19 = label(QStringLiteral("上"), this);
    txtpMarginTop = new QLineEdit(QStringLiteral("10"), this);
    Label17 = label(QStringLiteral("mm"), this);
    Label21 = label(QStringLiteral("左"), this);
    txtpMarginLeft = new QLineEdit(QStringLiteral("10"), this);
    Label20 = label(QStringLiteral("mm"), this);
    chkpEachClass = new QCheckBox(QStringLiteral("クラスごとに別ページに出力する"), this);
    chkpEachClass->setChecked(true);
    cmdpSetting = new QPushButton(QStringLiteral("オプション"), this);
    lblpOption = label(QStringLiteral("フォント調査中"), this);
    lblpOption->setVisible(false);
    chkpAutoPrint = new QCheckBox(QStringLiteral("タイマー印刷"), this);
    cbopAutoPrint = new QComboBox(this);
    cbopAutoPrint->setEditable(true);
    cbopAutoPrint->addItems({QStringLiteral("なし"), QStringLiteral("3"), QStringLiteral("5"),
                             QStringLiteral("10"), QStringLiteral("15"), QStringLiteral("20"),
                             QStringLiteral("30")});
    cbopAutoPrint->setEnabled(false);
    Label22 = label(QStringLiteral("分間隔"), this);
    cmdpAutoPrint = new QPushButton(QStringLiteral("詳細"), this);
    cmdpAutoPrint->setEnabled(false);
    lblpAutoPrint = label(QString(), this);
    timpAutoPrint = new QTimer(this);

    auto* grid = new QGridLayout(this);
    grid->addWidget(Label1, 0, 0);
    grid->addWidget(cbopPrintType, 0, 1, 1, 3);
    grid->addWidget(Label12, 1, 0);
    grid->addWidget(cbopDataType, 1, 1, 1, 3);
    grid->addWidget(Label13, 2, 0);
    grid->addWidget(cbopPrinter, 2, 1, 1, 3);
    grid->addWidget(Label14, 3, 0);
    grid->addWidget(cbopPaperSize, 3, 1, 1, 2);
    grid->addWidget(cbopOrientation, 3, 3);
    grid->addWidget(Label15, 4, 0);
    grid->addWidget(cbopZoomRatio, 4, 1);
    grid->addWidget(Label16, 4, 2);
    auto* margins = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(Label19), static_cast<QWidget*>(txtpMarginTop),
                       static_cast<QWidget*>(Label17), static_cast<QWidget*>(Label21),
                       static_cast<QWidget*>(txtpMarginLeft), static_cast<QWidget*>(Label20)})
        margins->addWidget(w);
    grid->addWidget(Label18, 5, 0);
    grid->addLayout(margins, 5, 1, 1, 3);
    grid->addWidget(chkpEachClass, 6, 0, 1, 4);
    grid->addWidget(cmdpSetting, 7, 0);
    grid->addWidget(lblpOption, 7, 1, 1, 3);
    auto* timer = new QHBoxLayout;
    for (QWidget* w : {static_cast<QWidget*>(chkpAutoPrint), static_cast<QWidget*>(cbopAutoPrint),
                       static_cast<QWidget*>(Label22), static_cast<QWidget*>(cmdpAutoPrint)})
        timer->addWidget(w);
    grid->addLayout(timer, 8, 0, 1, 4);
    grid->addWidget(lblpAutoPrint, 9, 0, 1, 4);
    grid->setRowStretch(10, 1);

    connect(cbopPrintType, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this](int index) { FillDataTypes(cbopDataType, index); });
    connect(cbopPrinter, qOverload<int>(&QComboBox::activated), this,
            [this](int) { cbopPrinter_Click(); });
    connect(chkpAutoPrint, &QCheckBox::toggled, this, [this](bool) { chkpAutoPrint_Click(); });
    // Choosing an item changes the text too, so one signal serves both typing and choosing.
    connect(cbopAutoPrint, &QComboBox::editTextChanged, this,
            [this](const QString&) { cbopAutoPrint_Click(); });
    connect(cmdpSetting, &QPushButton::clicked, this, [this] { cmdpSetting_Click(); });
    connect(cmdpAutoPrint, &QPushButton::clicked, this, [this] { cmdpAutoPrint_Click(); });
}

QString PrintTab::DataTypeName(int printType, int dataType) const
{
    return host_.GetDataType ? host_.GetDataType(printType, dataType)
                             : CbasPrinter::PrintDataTypeName(printType, dataType);
}

void PrintTab::FillDataTypes(QComboBox* combo, int printType) const
{
    const int previous = combo->currentIndex();
    combo->clear();
    for (int i = 0;; ++i) {
        const QString name = DataTypeName(printType, i);
        if (name.isEmpty()) break;
        combo->addItem(name);
    }
    const int index = previous >= 0 && previous < combo->count() ? previous : 0;
    if (combo->count() > 0) combo->setCurrentIndex(index);
}

void PrintTab::FillPrinters(const QStringList& names)
{
    cbopPrinter->clear();
    cbopPrinter->addItems(names);
    if (cbopPrinter->count() > 0) {
        cbopPrinter->setCurrentIndex(0);
        cbopPrinter_Click();
    } else {
        cbopPaperSize->clear();
        cbopOrientation->clear();
    }
}

void PrintTab::cbopPrinter_Click()
{
    cbopPaperSize->clear();
    cbopOrientation->clear();
    if (cbopPrinter->count() == 0) return;
    printer_ = CbasPrinter::MakePrintDevice(cbopPrinter->currentText());
    const PrintDevice& p = *printer_;
    for (const CbasPrinter::PaperEntry& e :
         CbasPrinter::PaperList(p.PaperSize(), CbasPrinter::GetPaperSizes(p),
                                CbasPrinter::PaperWidthMm(p), CbasPrinter::PaperHeightMm(p)))
        cbopPaperSize->addItem(e.text, e.code);
    if (cbopPaperSize->count() > 0) cbopPaperSize->setCurrentIndex(0);
    cbopOrientation->addItem(QStringLiteral("縦"), static_cast<int>(PaperOrientation::Portrait));
    cbopOrientation->addItem(QStringLiteral("横"), static_cast<int>(PaperOrientation::Landscape));
    cbopOrientation->setCurrentIndex(p.Orientation() == PaperOrientation::Portrait ? 0 : 1);
}

SplitSheetJob PrintTab::CurrentJob() const
{
    SplitSheetJob job;
    job.PrintType = std::max(cbopPrintType->currentIndex(), 0);
    job.DataType = CbasPrinter::PrintDataTypeAt(cbopDataType->currentIndex())
                       .value_or(CbasPrinter::PrintDataType::Laps);
    job.Zoom = CbasPrinter::ZoomFromText(cbopZoomRatio->currentText());
    job.MarginTop = CbasGeneral::Val(txtpMarginTop->text());
    job.MarginLeft = CbasGeneral::Val(txtpMarginLeft->text());
    job.EachClass = chkpEachClass->isChecked();
    job.PaperCode = cbopPaperSize->currentData().toInt();
    job.Orientation =
        cbopOrientation->currentData().toInt() == static_cast<int>(PaperOrientation::Landscape)
            ? PaperOrientation::Landscape
            : PaperOrientation::Portrait;
    job.Classes = checkedClassNames();
    job.Settings = [](const QString& key) { return basSettings::SettingsFile().Item(key); };
    return job;
}

QString PrintTab::TimerPdfName(const QDateTime& when)
{
    return QStringLiteral("splits_") + when.toString(QStringLiteral("yyyyMMdd_HHmmss")) +
           QStringLiteral(".pdf");
}

QString PrintTab::PdfPath()
{
    if (timerRun_) {
        const QString folder = host_.OutputFolder ? host_.OutputFolder() : QDir::homePath();
        const QString problem = basExport::OutputFolderProblem(folder);
        if (!problem.isEmpty()) {
            PrintFailed(problem);
            return QString();
        }
        return QDir(folder).filePath(TimerPdfName(QDateTime::currentDateTime()));
    }
    return CbasControl::ShowFileDialog(
        document_.CurrentFilePath(), CbasControl::FileDialogMode::Save, QStringLiteral("PDFファイルに印刷"),
        QStringLiteral("PDF ファイル (*.pdf)|*.pdf"), nullptr, ProposedPdfName());
}

QString PrintTab::ProposedPdfName() const
{
    QString stem = CbasGeneral::GetFileName(document_.CurrentFilePath());
    const int dot = stem.lastIndexOf(QLatin1Char('.'));
    if (dot > 0) stem.truncate(dot);
    if (stem.isEmpty())
        stem = CbasGeneral::NameForFileName(document_.RaceInfo().RaceName).trimmed();
    if (stem.isEmpty()) stem = QStringLiteral("splits");
    return stem + QStringLiteral(".pdf");
}

void PrintTab::PrintFailed(const QString& message)
{
    if (timerRun_)
        lblpAutoPrint->setText(message);
    else
        Prompts::message(message);
}

bool PrintTab::PrintSplitSheets()
{
    if (cbopPrinter->count() == 0) return false;
    if (checkedClassNames().isEmpty()) {
        PrintFailed(QStringLiteral("印刷するクラスが選ばれていません。何も印刷しませんでした。"));
        return false;
    }
    const QString name = cbopPrinter->currentText();
    QString pdfPath;
    if (name == QLatin1String(PdfPrintDevice::Name)) {
        pdfPath = PdfPath();
        if (pdfPath.isEmpty()) return false;
    }
    emit printing();
    const std::unique_ptr<PrintDevice> device = CbasPrinter::MakePrintDevice(name, pdfPath);
    const bool ok = [&] {
        const ScopedCursor busy;
        return CbasPrinter::PrintSplitSheets(document_.race(), CurrentJob(), *device);
    }();
    if (!ok) PrintFailed(QStringLiteral("印刷できませんでした。") + name);
    return ok;
}

void PrintTab::cmdpSetting_Click()
{
    if (cbopPrintType->currentIndex() != 0) return;
    lblpOption->setVisible(true);
    lblpOption->repaint();
    frmFontSkhSetting dialog(basSettings::SettingsFile(), this);
    ExecModal(dialog);
    lblpOption->setVisible(false);
}
