// The value box of the lap editor: "n/a" and "↓", a value entered into the current cell (a leg
// or total time, a start time, or text) with the cursor moved on, and the lap sum kept current.
#include "editing/ui/frmlapedit.h"

#include "race/prompts.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>

using namespace basLapEdit;

void frmLapEdit::cmdNA_Click()
{
    txtValue->setText(QStringLiteral("n/a"));
    cmdEnter_Click();
}

void frmLapEdit::cmdAR_Click()
{
    txtValue->setText(QStringLiteral("↓"));
    cmdEnter_Click();
}

void frmLapEdit::cmdEnter_Click()
{
    EnterValue();
}

// Enters the value box into the current cell; false when the text was refused.
bool frmLapEdit::EnterValue()
{
    const int row = grdEditor->currentRow();
    const int col = grdEditor->currentColumn();
    if (row < 0 || col < 1 || row == rows_.sumRow()) return true;
    QString cell;
    QString note;
    if (rows_.isLegRow(row) || row == rows_.totalRow()) {
        const LegEntry entry = ReadLegEntry(txtValue->text());
        if (entry.refused) return Refuse(entry.message), false;
        cell = entry.cell;
        note = entry.message;
    } else if (row == StartRow) {
        const StartEntry entry = ReadStartEntry(txtValue->text());
        if (entry.refused) return Refuse(entry.message), false;
        if (entry.warnEarly)
            Prompts::message(QStringLiteral("時間を確認してください"), Prompts::Icon::None);
        txtValue->setText(entry.value);
        cell = entry.value;
    } else {
        cell = txtValue->text();
    }
    lblStatus->setText(note);
    if (cell != CellText(row, col)) pending_ = true;
    SetCellText(row, col, cell);
    UpdateLapSum(col);

    const CursorSteps steps{chkTotalTime->isChecked(), chkShozoku->isChecked(),
                            chkStartTime->isChecked()};
    const CursorMove move = NextCell(rows_, row, col, grdEditor->columnCount() - 1, steps);
    if (move.addColumn)
        cmdAdd_Click();
    else
        grdEditor->setCurrentCell(move.row, move.col);
    edited_ = true;
    if (isVisible()) txtValue->setFocus();
    return true;
}

// True when the value box holds text typed but not yet entered into the current cell.
bool frmLapEdit::ValueNotEntered() const
{
    const int row = grdEditor->currentRow();
    const int col = grdEditor->currentColumn();
    if (row < 0 || col < 1 || row == rows_.sumRow()) return false;
    return txtValue->text() != CellText(row, col);
}

// An entry that is no time: the cell keeps its value, the cursor stays, and the status line
// says why; the typed text stays selected in the value box to be corrected.
void frmLapEdit::Refuse(const QString& message)
{
    QApplication::beep();
    lblStatus->setText(message);
    FocusValue();
}

void frmLapEdit::UpdateLapSum(int col)
{
    QStringList legs;
    for (int row = FirstLegRow; row <= rows_.lastLegRow(); ++row) legs << CellText(row, col);
    SetCellText(rows_.sumRow(), col, LapSumText(legs));
}
