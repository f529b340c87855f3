#include "analysis/ui/cellgridmodel.h"

#include "chart/winunits.h"

#include <QBrush>
#include <QStringList>

#include <utility>

void CellGridModel::setGrid(CellGrid grid)
{
    beginResetModel();
    grid_ = std::move(grid);
    endResetModel();
}

void CellGridModel::edit(const std::function<void(CellGrid&)>& change)
{
    change(grid_);
    if (rowCount() > 0 && columnCount() > 0) {
        emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
    }
    if (columnCount() > 0) emit headerDataChanged(Qt::Horizontal, 0, columnCount() - 1);
    if (rowCount() > 0) emit headerDataChanged(Qt::Vertical, 0, rowCount() - 1);
}

QModelIndex CellGridModel::indexOfCell(int row, int col) const
{
    return index(row - grid_.fixedRows(), col - grid_.fixedCols());
}

int CellGridModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return std::max(0, grid_.rows() - grid_.fixedRows());
}

int CellGridModel::columnCount(const QModelIndex& parent) const
{
    if (parent.isValid()) return 0;
    return std::max(0, grid_.cols() - grid_.fixedCols());
}

QVariant CellGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid()) return QVariant();
    return cellData(index.row() + grid_.fixedRows(), index.column() + grid_.fixedCols(), role);
}

QVariant CellGridModel::cellData(int row, int col, int role) const
{
    const GridCell& cell = grid_.cell(row, col);
    switch (role) {
        case Qt::DisplayRole:
            return cell.text;
        case Qt::TextAlignmentRole:
            return static_cast<int>(grid_.alignment(row, col) | Qt::AlignVCenter);
        case Qt::BackgroundRole:
            if (cell.backColor) return QBrush(WinUnits::ToColor(*cell.backColor));
            return QVariant();
        case Qt::ForegroundRole:
            if (cell.foreColor) return QBrush(WinUnits::ToColor(*cell.foreColor));
            return QVariant();
        default:
            return QVariant();
    }
}

QVariant CellGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole && role != Qt::TextAlignmentRole) return QVariant();
    if (orientation == Qt::Horizontal) {
        const int col = section + grid_.fixedCols();
        if (section < 0 || col >= grid_.cols() || grid_.fixedRows() < 1) return QVariant();
        if (role == Qt::TextAlignmentRole) return cellData(0, col, role);
        QStringList lines;
        for (int row = 0; row < grid_.fixedRows(); ++row) lines << grid_.text(row, col);
        return lines.join(QLatin1Char('\n'));
    }
    const int row = section + grid_.fixedRows();
    if (section < 0 || row >= grid_.rows() || grid_.fixedCols() < 1) return QVariant();
    if (role == Qt::TextAlignmentRole) return cellData(row, 0, role);
    QStringList parts;
    for (int col = 0; col < grid_.fixedCols(); ++col) parts << grid_.text(row, col);
    return parts.join(QLatin1Char(' '));
}
