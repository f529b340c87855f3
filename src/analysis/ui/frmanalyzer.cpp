#include "analysis/ui/frmanalyzer.h"

#include "analysis/analyze.h"
#include "analysis/ui/analyzegrid.h"
#include "analysis/ui/cellgridmodel.h"
#include "analysis/ui/frmlegdata.h"
#include "analysis/ui/gridview.h"
#include "chart/chartcommands.h"
#include "chart/chartfiles.h"
#include "chart/ui/frmgraph.h"
#include "chart/winunits.h"
#include "config/ui/elidedlabel.h"
#include "config/ui/modal.h"
#include "config/ui/scopedcursor.h"
#include "race/basicformat.h"
#include "race/race.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <vector>

using namespace basDefinition;

namespace {
constexpr int TopBandTwips = 540;
}

frmAnalyzer::frmAnalyzer(const RaceDocument& document, QWidget* parent)
    : QDialog(parent), document_(document), model_(new CellGridModel(this))
{
    setWindowTitle(QStringLiteral("ラップ解析結果"));
    auto* band = new QWidget(this);
    band->setFixedHeight(WinUnits::TwipsToPixels(TopBandTwips));
    cmbClassList = new QComboBox(band);
    cmbClassList->setMinimumWidth(160);
    cmbClassList->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    cmdLeg = new QPushButton(QStringLiteral("レッグ分析"), band);
    cmdChart = new QPushButton(QStringLiteral("チャート"), band);
    // The information line is cut to the band's width: it never sets the window's width.
    lblClassInfo = new ElidedLabel(band);
    auto* row = new QHBoxLayout(band);
    row->setContentsMargins(6, 0, 6, 0);
    row->addWidget(cmbClassList);
    row->addWidget(cmdLeg);
    row->addWidget(cmdChart);
    row->addSpacing(12);
    row->addWidget(lblClassInfo, 1);

    grdAnalyze = new GridView(this);
    grdAnalyze->setGridModel(model_);
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(band);
    column->addWidget(grdAnalyze, 1);
    // Takes the space of a hidden grid, so the band stays at the top.
    column->addStretch(0);

    connect(cmbClassList, qOverload<int>(&QComboBox::currentIndexChanged), this,
            [this] { cmbClassList_Click(); });
    connect(cmdChart, &QPushButton::clicked, this, [this] { cmdChart_Click(); });
    connect(cmdLeg, &QPushButton::clicked, this, [this] { cmdLeg_Click(); });
    resize(1000, 700);
    Form_Load();
}

void frmAnalyzer::Form_Load()
{
    {
        const QSignalBlocker blocker(cmbClassList);
        cmbClassList->clear();
        // With two or more classes the first entry empties the display.
        if (document_.ClassList().count() >= 2)
            cmbClassList->addItem(QStringLiteral("クラス選択"), 0);
        for (int position = 1; position <= document_.ClassList().count(); ++position) {
            cmbClassList->addItem(DisplayClassName(document_.ClassList().at(position).ClassName),
                                  position);
        }
        cmbClassList->setCurrentIndex(-1);
    }
    if (document_.ClassList().isEmpty()) {
        ClearDisplay();
        return;
    }
    cmbClassList->setCurrentIndex(document_.ClassList().count() == 1 ? 0 : 1);
}

QString frmAnalyzer::ListedClass() const
{
    const int position =
        cmbClassList->currentIndex() >= 0 ? cmbClassList->currentData().toInt() : 0;
    if (position < 1 || position > document_.ClassList().count()) return QString();
    return document_.ClassList().at(position).ClassName;
}

void frmAnalyzer::ClearDisplay()
{
    grdAnalyze->hide();
    model_->setGrid(CellGrid());
    cmdChart->setEnabled(false);
    cmdLeg->setEnabled(false);
}

void frmAnalyzer::cmbClassList_Click()
{
    const int position =
        cmbClassList->currentIndex() >= 0 ? cmbClassList->currentData().toInt() : 0;
    if (position < 1 || position > document_.ClassList().count()) {
        ClearDisplay();
        lblClassInfo->setFullText(QString());
        return;
    }
    const clsClassData& cls = document_.ClassList().at(position);
    lblClassInfo->setFullText(AnalyzeGrid::ClassInfoLine(document_.RaceInfo(), cls));
    if (cls.ClassRunnerCount() == 0) {
        ClearDisplay();
        return;
    }
    grdAnalyze->hide();
    CellGrid grid;
    AnalyzeGrid::Fill(grid, cls, basAnalyze::AnalyzeClass(cls), AnalyzeGrid::CruiseDetailSetting());
    const int firstRow = grid.fixedRows();
    model_->setGrid(std::move(grid));
    grdAnalyze->applyLayout();
    grdAnalyze->setCurrentIndex(model_->indexOfCell(firstRow, 1));
    grdAnalyze->show();
    cmdChart->setEnabled(true);
    cmdLeg->setEnabled(true);
}

void frmAnalyzer::cmdChart_Click()
{
    SelectedClass = ListedClass();
    frmGraph chart(basAnalyze::AnalyzeClass(document_.race(), SelectedClass), document_, this);
    ExecModal(chart);
}

void frmAnalyzer::cmdLeg_Click()
{
    SelectedClass = ListedClass();
    frmLegData legs(basAnalyze::AnalyzeClass(document_.race(), SelectedClass), this);
    ExecModal(legs);
}

int frmAnalyzer::Automation(const QString& ScriptCommand)
{
    return Automation(ScriptCommand.split(QLatin1Char(',')));
}

int frmAnalyzer::Automation(const QStringList& fields)
{
    show();
    repaint();
    const QString action = fields.value(0).toUpper();
    if (!basChart::IsChartCommand(action) || fields.size() < 3) return 0;

    // Every class of the list, "クラス選択" left out, drawn as its chart window would open, but
    // without opening one per class, while this view stays in front.
    QStringList classNames;
    for (int entry = 0; entry < cmbClassList->count(); ++entry) {
        const int position = cmbClassList->itemData(entry).toInt();
        if (position < 1 || position > document_.ClassList().count()) continue;
        classNames << document_.ClassList().at(position).ClassName;
    }
    if (!classNames.isEmpty()) SelectedClass = classNames.last();
    const ScopedCursor busy;
    return basChart::WriteRaceChartImages(document_.race(), action, fields[1], fields[2],
                                          classNames);
}
