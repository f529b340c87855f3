#pragma once
// The lap chart of one class: every runner a line from the start at the top to the finish at the
// bottom, in race time or clock time, with three chosen runners in strong colours and up to
// three more picked by clicking on their lines. The chart can be saved as a PNG image.
#include "analysis/workspace.h"
#include "chart/chartimage.h"
#include "chart/drawchart.h"
#include "race/racedocument.h"

#include <QDialog>

#include <array>
#include <functional>
#include <vector>

class ChartCanvas;
class QComboBox;
class QFrame;
class QLabel;
class QPushButton;
class QScrollBar;

class frmGraph : public QDialog {
    Q_OBJECT
public:
    // The chart of the class analysed (the one chosen in the class analysis view) in race time
    // with the three fastest runners chosen.
    // The chart of the analysis of a class of the document's race.
    frmGraph(const basAnalyze::AnalysisWorkspace& analysis, const RaceDocument& document,
             QWidget* parent = nullptr);

    ChartCanvas* picChart;
    QScrollBar* scrChart;  // 0..48, steps of ten minutes
    QComboBox* cboMode;    // "競技時間" (1), "リアルタイム" (2)
    std::array<QComboBox*, 3> cboSelect;
    std::array<QFrame*, 3> shpSelect;  // the pen colours of the chosen runners
    std::array<QLabel*, 3> lblClick;   // short names of the clicked runners
    QWidget* picSelect;
    QPushButton* cmdSave;

    // While set, changes of the mode, the lists and the scroll bar do not redraw.
    bool SuppressDraw = true;
    // Runners picked by clicking (0 = empty slot) and the slot the next click fills.
    std::array<int, 3> ClickedRunner{};
    int NextClickSlot = 0;

    QString SelectedClass() const { return className_; }
    basChart::ChartMode Mode() const;
    // The chart as it is to be drawn now: mode, scroll value, chosen and clicked runners, font.
    basChart::ChartRequest Request() const;
    // The class's analysis as taken when the window opened.
    const basAnalyze::AnalysisWorkspace& Analysis() const { return analysis_; }

    // Redraws picChart (nothing while SuppressDraw).
    void DrawChart();
    // Saves the chart of the current mode as a PNG file; in clock time the window scrolls to the
    // position the image was drawn at. False when no file was written.
    bool SaveChartPng(const QString& fileName);
    // Script commands "CHART,<prefix>", "CHART1,<prefix>", "CHART2,<prefix>": save the race-time
    // image as <prefix><class>_1.png and/or the clock-time image as <prefix><class>_2.png. An
    // image that cannot be written is reported and passed over; returns how many were not.
    int Automation(const QString& ScriptCommand);
    // A mouse button pressed at the position: the next click slot takes the nearest line.
    void picChart_MouseDown(const QPoint& position);
    // Selects a mode entry (0 race time, 1 clock time) and runs its selection.
    void SelectMode(int index);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildSelectPanel();
    void fillLists();
    void placeControls();
    void cboMode_Click();
    void cmdSave_Click();

    const RaceDocument& document_;
    QString className_;
    basAnalyze::AnalysisWorkspace analysis_;
};
