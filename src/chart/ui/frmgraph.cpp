#include "chart/ui/frmgraph.h"

#include "analysis/analyze.h"
#include "chart/chartcommands.h"
#include "chart/chartfiles.h"
#include "chart/chartgeometry.h"
#include "chart/chartimage.h"
#include "chart/chartpick.h"
#include "chart/ui/chartcanvas.h"
#include "chart/winunits.h"
#include "config/control.h"
#include "config/ui/fonts.h"
#include "config/ui/scopedcursor.h"
#include "race/fileproblem.h"
#include "race/prompts.h"
#include "race/racedocument.h"

#include <QApplication>
#include <QComboBox>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>


using basChart::ChartMode;
using WinUnits::TwipsToPixels;

namespace {

// The band below the chart as laid out in twips: scroll bar and selector panel.
constexpr int ChartInsetTwips = 60;
constexpr int ChartWidthLossTwips = 135;
constexpr int ChartHeightLossTwips = 810;
constexpr int ScrollTopTwips = 705;
constexpr int PanelLeftTwips = 120;
constexpr int PanelTopTwips = 345;
constexpr int MinChartHeight = 160;  // pixels of chart left at the window's smallest size

QFrame* ColourSquare(const QColor& color, QWidget* parent)
{
    auto* square = new QFrame(parent);
    square->setFixedSize(12, 12);
    square->setFrameShape(QFrame::Box);
    square->setAutoFillBackground(true);
    QPalette palette = square->palette();
    palette.setColor(QPalette::Window, color);
    square->setPalette(palette);
    return square;
}

}  // namespace

frmGraph::frmGraph(const basAnalyze::AnalysisWorkspace& analysis, const RaceDocument& document,
                   QWidget* parent)
    : QDialog(parent), document_(document), className_(analysis.AnaClassName), analysis_(analysis)
{
    setWindowTitle(QStringLiteral("チャート"));

    picChart = new ChartCanvas(this);
    scrChart = new QScrollBar(Qt::Horizontal, this);
    scrChart->setRange(0, basChart::ScrollMaximum);
    scrChart->setSingleStep(1);
    scrChart->setPageStep(6);
    buildSelectPanel();
    fillLists();

    connect(cboMode, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { cboMode_Click(); });
    for (QComboBox* list : cboSelect) {
        connect(list, qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this] { DrawChart(); });
    }
    connect(scrChart, &QScrollBar::valueChanged, this, [this] { DrawChart(); });
    connect(picChart, &ChartCanvas::pressed, this, &frmGraph::picChart_MouseDown);
    connect(picChart, &ChartCanvas::resized, this, [this] { DrawChart(); });
    connect(cmdSave, &QPushButton::clicked, this, [this] { cmdSave_Click(); });

    // Small enough for a small screen, large enough that the panel's lists, colour squares and
    // labels never overlap and some chart is left.
    const int extra =
        std::max(0, picSelect->minimumSizeHint().height() - TwipsToPixels(PanelTopTwips));
    setMinimumSize(picSelect->minimumSizeHint().width() + 2 * TwipsToPixels(PanelLeftTwips),
                   TwipsToPixels(ChartHeightLossTwips) + extra + MinChartHeight);
    resize(1000, 640);
    placeControls();
    SuppressDraw = false;
    SelectMode(0);
}

void frmGraph::buildSelectPanel()
{
    picSelect = new QWidget(this);
    auto* row = new QHBoxLayout(picSelect);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(4);

    cboMode = new QComboBox(picSelect);
    cboMode->setFont(GridFont());
    row->addWidget(cboMode);
    row->addSpacing(12);
    for (int i = 0; i < 3; ++i) {
        cboSelect[i] = new QComboBox(picSelect);
        cboSelect[i]->setFont(GridFont());
        cboSelect[i]->setFixedWidth(130);
        shpSelect[i] = ColourSquare(basChart::ChosenColor(i), picSelect);
        row->addWidget(cboSelect[i]);
        row->addWidget(shpSelect[i]);
        row->addSpacing(8);
    }
    row->addSpacing(12);
    for (int i = 0; i < 3; ++i) {
        lblClick[i] = new QLabel(picSelect);
        lblClick[i]->setFont(GridFont());
        lblClick[i]->setMinimumWidth(44);
        QPalette palette = lblClick[i]->palette();
        palette.setColor(QPalette::WindowText, basChart::ClickedColor(i));
        lblClick[i]->setPalette(palette);
        row->addWidget(lblClick[i]);
    }
    row->addStretch(1);
    cmdSave = new QPushButton(picSelect);
    cmdSave->setIcon(style()->standardIcon(QStyle::SP_DialogSaveButton));
    cmdSave->setToolTip(QStringLiteral("チャートを画像で保存します"));
    row->addWidget(cmdSave);
}

void frmGraph::fillLists()
{
    // Runners 1, 2 and 3 (the three fastest) are chosen at first; a list beyond the class's
    // runners stays without a choice.
    for (int i = 0; i < 3; ++i) {
        const QSignalBlocker blocker(cboSelect[i]);
        cboSelect[i]->clear();
        for (int r = 1; r <= analysis_.AnaRunnerCount; ++r) {
            cboSelect[i]->addItem(analysis_.RunnerName(r), r);
        }
        cboSelect[i]->setCurrentIndex(cboSelect[i]->count() > i ? i : -1);
    }
    ClickedRunner = {0, 0, 0};
    NextClickSlot = 0;
    const QSignalBlocker blocker(cboMode);
    cboMode->clear();
    cboMode->addItem(QStringLiteral("競技時間"), static_cast<int>(ChartMode::RaceTime));
    cboMode->addItem(QStringLiteral("リアルタイム"), static_cast<int>(ChartMode::ClockTime));
}

ChartMode frmGraph::Mode() const
{
    return cboMode->currentData().toInt() == static_cast<int>(ChartMode::ClockTime)
               ? ChartMode::ClockTime
               : ChartMode::RaceTime;
}

basChart::ChartRequest frmGraph::Request() const
{
    basChart::ChartRequest request;
    request.mode = Mode();
    request.scrollValue = scrChart->value();
    for (int i = 0; i < 3; ++i) {
        request.chosen[i] =
            cboSelect[i]->currentIndex() >= 0 ? cboSelect[i]->currentData().toInt() : 0;
    }
    request.clicked = ClickedRunner;
    request.font = basChart::ChartFont();
    return request;
}

void frmGraph::DrawChart()
{
    if (SuppressDraw) return;
    const basChart::ChartRequest request = Request();
    picChart->render([&](QPainter& painter, const QSize& size) {
        basChart::DrawChart(painter, size, analysis_, request);
    });
    for (int i = 0; i < 3; ++i) {
        lblClick[i]->setText(basChart::ClickLabel(analysis_, request.mode, ClickedRunner[i]));
    }
}

void frmGraph::SelectMode(int index)
{
    {
        const QSignalBlocker blocker(cboMode);
        cboMode->setCurrentIndex(index);
    }
    cboMode_Click();
}

void frmGraph::cboMode_Click()
{
    if (SuppressDraw) return;
    // Race time opens at 0:00, clock time about ten minutes before the first start.
    SuppressDraw = true;
    scrChart->setValue(Mode() == ChartMode::RaceTime ? 0 : basChart::ClockStartScroll(analysis_));
    SuppressDraw = false;
    DrawChart();
}

void frmGraph::picChart_MouseDown(const QPoint& position)
{
    if (SuppressDraw) return;
    const basChart::ChartGeometry g = basChart::MakeGeometry(analysis_, Mode(), picChart->width(),
                                                             picChart->height(), scrChart->value());
    ClickedRunner[NextClickSlot] = basChart::PickRunner(analysis_, g, position);
    NextClickSlot = (NextClickSlot + 1) % 3;
    DrawChart();
}

bool frmGraph::SaveChartPng(const QString& fileName)
{
    const ScopedCursor busy;
    int clockScroll = -1;
    const bool written = basChart::SaveChartPng(fileName, analysis_, Request(), &clockScroll);
    if (clockScroll >= 0) scrChart->setValue(clockScroll);
    return written;
}

int frmGraph::Automation(const QString& ScriptCommand)
{
    const QString action = ScriptCommand.section(QLatin1Char(','), 0, 0).toUpper();
    if (!basChart::IsChartCommand(action)) return 0;
    const std::vector<basChart::ChartPngJob> jobs = basChart::ClassChartJobs(
        document_.ClassList(), action, ScriptCommand.section(QLatin1Char(','), 1, 1), className_,
        analysis_, Request());
    show();
    repaint();
    const ScopedCursor busy;
    const int failed = basChart::SaveChartImages(jobs);
    // The window is left showing the last image asked for, at the position it was drawn at.
    const bool clockTime = action != QLatin1String("CHART1");
    SelectMode(clockTime ? 1 : 0);
    if (clockTime && !jobs.empty() && jobs.back().request.mode == ChartMode::ClockTime)
        scrChart->setValue(jobs.back().request.scrollValue);
    return failed;
}

// A chart that cannot be saved is told: a clock-time chart whose first start lies outside the
// hours its image covers, or a file that could not be written, with the reason.
void frmGraph::cmdSave_Click()
{
    int filterIndex = 1;
    // The name a script gives this class's image of this mode, in the race's folder.
    const QString proposed =
        basChart::ChartImageNames(
            document_.ClassList(),
            Mode() == ChartMode::ClockTime ? QStringLiteral("CHART2") : QStringLiteral("CHART1"),
            QString(), className_.isEmpty() ? QStringLiteral("chart") : className_)
            .front()
            .fileName;
    const QString fileName = CbasControl::ShowFileDialog(
        document_.CurrentFilePath(), CbasControl::FileDialogMode::Save, QStringLiteral("ラップチャート"),
        QStringLiteral("PNG形式 (*.png)|*.png"), &filterIndex, proposed);
    if (fileName.isEmpty()) return;
    if (!basChart::ExportRequest(analysis_, Request())) {
        Prompts::message(QStringLiteral("リアルタイムのチャートは、最初のスタートが 8:15 から "
                                        "16:05 までのクラスだけ画像にできます。"),
                         Prompts::Icon::Exclamation);
        return;
    }
    if (SaveChartPng(fileName)) return;
    const QString reason = CbasGeneral::FileProblemText(CbasGeneral::LastWriteError());
    Prompts::message(QStringLiteral("画像を保存できませんでした: ") +
                         basChart::PngFileName(fileName) + QLatin1Char('\n') +
                         (reason.isEmpty() ? QStringLiteral("書き込めませんでした") : reason),
                     Prompts::Icon::Exclamation);
}

void frmGraph::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (windowState() & Qt::WindowMinimized) return;
    placeControls();
}

void frmGraph::placeControls()
{
    const int cw = width(), ch = height();
    // The panel gets the band the layout gives it, or more when its lists are taller.
    const int band = TwipsToPixels(PanelTopTwips);
    const int extra = std::max(0, picSelect->sizeHint().height() - band);
    const int inset = TwipsToPixels(ChartInsetTwips);
    const int widthLoss = TwipsToPixels(ChartWidthLossTwips);
    picChart->setGeometry(inset, inset, std::max(1, cw - widthLoss),
                          std::max(1, ch - TwipsToPixels(ChartHeightLossTwips) - extra));
    const int scrollTop = ch - TwipsToPixels(ScrollTopTwips) - extra;
    scrChart->setGeometry(inset, scrollTop, std::max(1, cw - widthLoss),
                          std::min(scrChart->sizeHint().height(), band - 4));
    picSelect->setGeometry(TwipsToPixels(PanelLeftTwips), ch - band - extra,
                           std::max(1, cw - 2 * TwipsToPixels(PanelLeftTwips)), band + extra);
}
