#include "analysis/ui/cellgrid.h"

#include <stdexcept>

void CellGrid::reset(int rows, int cols)
{
    rows_ = rows < 0 ? 0 : rows;
    cols_ = cols < 0 ? 0 : cols;
    fixedRows_ = 1;
    fixedCols_ = 1;
    cells_.assign(static_cast<size_t>(rows_) * static_cast<size_t>(cols_), GridCell());
    colAlignment_.assign(static_cast<size_t>(cols_), Qt::AlignLeft);
    colWidth_.assign(static_cast<size_t>(cols_), 0);
    rowHeight_.assign(static_cast<size_t>(rows_), 0);
}

Qt::Alignment CellGrid::alignment(int row, int col) const
{
    const GridCell& c = cell(row, col);
    return c.alignment ? *c.alignment : colAlignment(col);
}

size_t CellGrid::index(int row, int col) const
{
    return rowIndex(row) * static_cast<size_t>(cols_) + colIndex(col);
}

size_t CellGrid::rowIndex(int row) const
{
    if (row < 0 || row >= rows_) throw std::out_of_range("grid row outside the grid");
    return static_cast<size_t>(row);
}

size_t CellGrid::colIndex(int col) const
{
    if (col < 0 || col >= cols_) throw std::out_of_range("grid column outside the grid");
    return static_cast<size_t>(col);
}
