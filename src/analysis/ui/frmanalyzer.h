#pragma once
// The class analysis view: the user picks a class and sees every runner of it as one column of
// a tall grid of leg times, cumulative times, cruise speed, miss rate, relative values, miss
// times and the time without misses. Buttons open the leg analysis and the lap chart of the
// class; scripts use the window to save chart images of every class.
#include "race/racedocument.h"

#include <QDialog>

class CellGridModel;
class GridView;
class ElidedLabel;
class QComboBox;
class QLabel;
class QPushButton;

class frmAnalyzer : public QDialog {
    Q_OBJECT
public:
    // Fills the class list and shows the first class.
    // The view of the classes of the document's race.
    explicit frmAnalyzer(const RaceDocument& document, QWidget* parent = nullptr);

    QComboBox* cmbClassList;  // item data: 0 for "クラス選択", else the class's position
    ElidedLabel* lblClassInfo;
    GridView* grdAnalyze;
    QPushButton* cmdChart;
    QPushButton* cmdLeg;

    // The class handed to the lap chart and the leg analysis.
    QString SelectedClass;

    CellGridModel* AnalyzeModel() const { return model_; }

    // Shows the class of the selected list entry (run on every change of the selection).
    void cmbClassList_Click();
    void cmdChart_Click();
    void cmdLeg_Click();
    // Script commands "CHART,<folder>,<label>", "CHART1,..." and "CHART2,...": saves the chart
    // images of every class as <folder>/<yy>_<label>_<class>_1.png / _2.png. Returns how many
    // images could not be written (each one reported). The command text is split at ",";
    // scripts pass its fields, which may hold a "," themselves.
    int Automation(const QString& ScriptCommand);
    int Automation(const QStringList& fields);

private:
    void Form_Load();
    void ClearDisplay();
    // The name of the class of the selected entry (empty for "クラス選択" or no entry).
    QString ListedClass() const;

    const RaceDocument& document_;
    CellGridModel* model_;
};
