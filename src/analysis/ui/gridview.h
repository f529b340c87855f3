#pragma once
// The view of a CellGridModel as the analysis windows show it: the fixed-pitch grid font, column
// widths and row heights from the grid's twips, the fixed rows and column as headers, and cells
// painted with their blanks kept (trailing ones too), so that texts aligned with blanks line up.
#include <QStyledItemDelegate>
#include <QTableView>

class CellGridModel;

class GridCellDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
};

class GridView : public QTableView {
    Q_OBJECT
public:
    explicit GridView(QWidget* parent = nullptr);

    void setGridModel(CellGridModel* model);
    CellGridModel* gridModel() const { return model_; }
    // Takes the column widths, row heights and header sizes from the model's grid; call after
    // the model's grid was replaced.
    void applyLayout();

    // Pixels of a row or column of the grid (0 in the grid means the default).
    int rowPixels(int row) const;
    int colPixels(int col) const;
    // The default row height: the grid font's line with a little room.
    int defaultRowPixels() const;

private:
    int fixedColumnPixels() const;

    CellGridModel* model_ = nullptr;
};
