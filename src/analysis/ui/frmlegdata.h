#pragma once
// The leg analysis of one class: per leg its share of the course, top average and difficulty,
// two freely chosen runners side by side and the six fastest runners on the leg. The choosers
// of the two runners sit on the header cells of their columns.
#include "analysis/workspace.h"

#include <QDialog>

#include <array>

class CellGridModel;
class GridView;
class QComboBox;

class frmLegData : public QDialog {
    Q_OBJECT
public:
    // The table of the class analysed (the one chosen in the class analysis view).
    explicit frmLegData(const basAnalyze::AnalysisWorkspace& analysis, QWidget* parent = nullptr);

    GridView* grdLegData;
    std::array<QComboBox*, 2> cboRefer;  // the reference runners of columns 5 and 6

    CellGridModel* LegModel() const { return model_; }
    const basAnalyze::AnalysisWorkspace& Analysis() const { return analysis_; }

    // A runner chosen in cboRefer(index): fills its column.
    void cboRefer_Click(int index);
    // Puts both choosers back onto the header cells of their columns.
    void PlaceChoosers();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void fillChoosers();

    basAnalyze::AnalysisWorkspace analysis_;
    CellGridModel* model_;
};
