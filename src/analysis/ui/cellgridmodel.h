#pragma once
// A CellGrid as a Qt table model. The fixed rows become the horizontal header (their texts one
// line each) and the fixed column the vertical header, so they stay in place while the view
// scrolls; the other cells are the model's items. Items give their text, alignment, background
// and text colours.
#include "analysis/ui/cellgrid.h"

#include <QAbstractTableModel>

#include <functional>

class CellGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    const CellGrid& grid() const { return grid_; }
    // Replaces the whole grid (views re-read everything).
    void setGrid(CellGrid grid);
    // Changes cells in place; views repaint every item and header.
    void edit(const std::function<void(CellGrid&)>& change);

    // The item of a grid cell outside the fixed rows and columns (invalid for a fixed cell).
    QModelIndex indexOfCell(int row, int col) const;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

private:
    QVariant cellData(int row, int col, int role) const;

    CellGrid grid_;
};
