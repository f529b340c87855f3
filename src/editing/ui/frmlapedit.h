#pragma once
// The lap editor: the runners of one class in a grid, one column per runner and one row per
// item (name, club, start, legs, total, sum of the legs). Every value is typed into the value
// box and entered into the current cell; applying replaces the runners of the class.
#include "editing/lapentry.h"
#include "race/racedocument.h"

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

class frmLapEdit : public QDialog {
    Q_OBJECT
public:
    explicit frmLapEdit(RaceDocument& document, QWidget* parent = nullptr);

    // Fills the grid from the named class; set before the window is shown.
    void setClassName(const QString& ClassName);

    void cmdEnter_Click();
    void cmdNA_Click();
    void cmdAR_Click();
    void cmdAdd_Click();
    // Removes the runner column of the current cell (asking first when it holds anything).
    void cmdDelete_Click();
    // Applies and closes; when applying would drop a column or read a runner otherwise than
    // the grid shows, asks first (いいえ keeps the window open). False when not applied.
    bool cmdSave_Click();
    void cmdCancel_Click();
    // Writes the grid back into the class when an entry changed a cell or a runner was removed.
    void StoreGridToClass();
    void UpdateLapSum(int col);

    bool Edited() const { return edited_; }
    // Whether an entry changed a cell since the grid was filled or applied.
    bool Pending() const { return pending_; }
    const basLapEdit::LapRows& Rows() const { return rows_; }
    QString CellText(int row, int col) const;

    QTableWidget* grdEditor;
    QLineEdit* txtValue;
    QLabel* lblStatus;  // why an entry was refused, or how it was read
    QPushButton* cmdEnter;
    QPushButton* cmdAdd;
    QPushButton* cmdDelete;
    QPushButton* cmdNA;
    QPushButton* cmdAR;
    QCheckBox* chkTotalTime;
    QCheckBox* chkShozoku;
    QCheckBox* chkStartTime;
    QPushButton* cmdSave;
    QPushButton* cmdCancel;

    // Esc, "キャンセル" and the close box: with entries not yet applied, asks whether to apply
    // them ("はい" applies and closes, "いいえ" closes, "キャンセル" stays).
    void reject() override;

protected:
    // The Up key moves the cursor up from the value box as from the grid.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RaceDocument& document_;
    void BuildControls();
    void SetCellText(int row, int col, const QString& text);
    void PrepareColumn(int col);
    void grdEditor_RowColChange(int row, int col);
    void FocusValue();
    void Refuse(const QString& message);
    bool EnterValue();
    bool ValueNotEntered() const;
    std::vector<basLapEdit::LapColumn> GridColumns() const;

    QString className_;
    basLapEdit::LapRows rows_{0};
    bool edited_ = false;
    bool pending_ = false;
};
