#pragma once
// A grid of text cells as the analysis windows fill it. Rows and columns count from 0 and include
// the fixed rows and columns (the header cells at the top and left). Each cell has a text and may
// have its own alignment and Windows colours (0x00BBGGRR); columns have an alignment and a width,
// rows a height, both in twips (0 = the view's default).
#include <QString>
#include <Qt>

#include <cstdint>
#include <optional>
#include <vector>

struct GridCell {
    QString text;
    std::optional<Qt::Alignment> alignment;  // horizontal; the column's when unset
    std::optional<std::uint32_t> backColor;
    std::optional<std::uint32_t> foreColor;
};

class CellGrid {
public:
    // Empties the grid and gives it the size; one fixed row and one fixed column, every column
    // left-aligned with the default width.
    void reset(int rows, int cols);

    int rows() const { return rows_; }
    int cols() const { return cols_; }
    int fixedRows() const { return fixedRows_; }
    int fixedCols() const { return fixedCols_; }
    void setFixedRows(int count) { fixedRows_ = count; }
    void setFixedCols(int count) { fixedCols_ = count; }

    // A cell outside the grid throws std::out_of_range.
    const GridCell& cell(int row, int col) const { return cells_.at(index(row, col)); }
    const QString& text(int row, int col) const { return cell(row, col).text; }
    void setText(int row, int col, const QString& text) { at(row, col).text = text; }
    void setCellAlignment(int row, int col, Qt::Alignment alignment)
    {
        at(row, col).alignment = alignment;
    }
    void setBackColor(int row, int col, std::uint32_t bgr) { at(row, col).backColor = bgr; }
    void setForeColor(int row, int col, std::uint32_t bgr) { at(row, col).foreColor = bgr; }
    // The cell's own alignment, or its column's.
    Qt::Alignment alignment(int row, int col) const;

    void setColAlignment(int col, Qt::Alignment alignment)
    {
        colAlignment_.at(colIndex(col)) = alignment;
    }
    Qt::Alignment colAlignment(int col) const { return colAlignment_.at(colIndex(col)); }
    void setColWidth(int col, int twips) { colWidth_.at(colIndex(col)) = twips; }
    int colWidth(int col) const { return colWidth_.at(colIndex(col)); }
    void setRowHeight(int row, int twips) { rowHeight_.at(rowIndex(row)) = twips; }
    int rowHeight(int row) const { return rowHeight_.at(rowIndex(row)); }

private:
    GridCell& at(int row, int col) { return cells_.at(index(row, col)); }
    size_t index(int row, int col) const;
    size_t rowIndex(int row) const;
    size_t colIndex(int col) const;

    int rows_ = 0, cols_ = 0;
    int fixedRows_ = 1, fixedCols_ = 1;
    std::vector<GridCell> cells_;  // row-major
    std::vector<Qt::Alignment> colAlignment_;
    std::vector<int> colWidth_;
    std::vector<int> rowHeight_;
};
