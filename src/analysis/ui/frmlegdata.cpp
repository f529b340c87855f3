#include "analysis/ui/frmlegdata.h"

#include "analysis/analyze.h"
#include "analysis/ui/cellgridmodel.h"
#include "analysis/ui/gridview.h"
#include "analysis/ui/leggrid.h"
#include "config/ui/fonts.h"

#include <QComboBox>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QVBoxLayout>

frmLegData::frmLegData(const basAnalyze::AnalysisWorkspace& analysis, QWidget* parent)
    : QDialog(parent), analysis_(analysis), model_(new CellGridModel(this))
{
    setWindowTitle(QStringLiteral("レッグ分析"));

    grdLegData = new GridView(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(grdLegData);

    CellGrid grid;
    LegGrid::Fill(grid, analysis_, basAnalyze::LegDifficulty(analysis_, 1));
    model_->setGrid(std::move(grid));
    grdLegData->setGridModel(model_);

    // The choosers live in the header, so they scroll with their columns.
    QHeaderView* header = grdLegData->horizontalHeader();
    for (int i = 0; i < 2; ++i) {
        cboRefer[i] = new QComboBox(header->viewport());
        cboRefer[i]->setFont(GridFont());
        connect(cboRefer[i], qOverload<int>(&QComboBox::currentIndexChanged), this,
                [this, i] { cboRefer_Click(i); });
    }
    connect(header, &QHeaderView::sectionResized, this, [this] { PlaceChoosers(); });
    connect(header, &QHeaderView::geometriesChanged, this, [this] { PlaceChoosers(); });
    connect(grdLegData->horizontalScrollBar(), &QScrollBar::valueChanged, this,
            [this] { PlaceChoosers(); });
    fillChoosers();

    int width = grdLegData->verticalHeader()->width() + 4;
    for (int c = 1; c < LegGrid::ColumnCount; ++c) width += grdLegData->colPixels(c);
    const int height =
        header->height() + (analysis_.AnaLegCount + 1) * grdLegData->defaultRowPixels() + 4;
    resize(width + grdLegData->verticalScrollBar()->sizeHint().width(), std::min(height, 640));
    PlaceChoosers();
}

void frmLegData::fillChoosers()
{
    // Runner 1 in the first chooser, runner 2 in the second when the class has two.
    for (int i = 0; i < 2; ++i) {
        {
            const QSignalBlocker blocker(cboRefer[i]);
            cboRefer[i]->clear();
            for (int r = 1; r <= analysis_.AnaRunnerCount; ++r) {
                cboRefer[i]->addItem(analysis_.RunnerName(r), r);
            }
            cboRefer[i]->setCurrentIndex(-1);
        }
        if (cboRefer[i]->count() > i) cboRefer[i]->setCurrentIndex(i);
    }
}

void frmLegData::cboRefer_Click(int index)
{
    QComboBox* chooser = cboRefer[index];
    if (chooser->currentIndex() < 0) return;
    const int r = chooser->currentData().toInt();
    if (r < 1 || r > analysis_.AnaRunnerCount) return;
    model_->edit([&](CellGrid& grid) { LegGrid::FillReference(grid, analysis_, index, r); });
}

void frmLegData::PlaceChoosers()
{
    QHeaderView* header = grdLegData->horizontalHeader();
    for (int i = 0; i < 2; ++i) {
        // Header sections count from the first column after the fixed one.
        const int section = LegGrid::ReferenceColumn + i - 1;
        cboRefer[i]->setGeometry(header->sectionViewportPosition(section), 0,
                                 header->sectionSize(section), header->height());
    }
}

void frmLegData::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    if (!(windowState() & Qt::WindowMinimized)) PlaceChoosers();
}

void frmLegData::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    PlaceChoosers();
}
