#pragma once
// The view of a CellGridModel as the analysis windows show it: the fixed-pitch grid font, column
// widths and row heights from the grid's twips, the fixed rows and column as headers, and cells
// painted with their blanks kept (trailing ones too), so that texts aligned with blanks line up.
#include <QHeaderView>
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

// The top header: each line of a section (a runner's name, its club) that is wider than the
// section is cut and ends with "…"; the whole text of a cut section is its tooltip.
class GridHeader : public QHeaderView {
    Q_OBJECT
public:
    explicit GridHeader(Qt::Orientation orientation, QWidget* parent = nullptr);

    // Each line of the text cut to the width with "…" where it did not fit.
    static QString FitLines(const QString& text, const QFontMetrics& metrics, int width);
    // The text a section shows, and its tooltip (empty when nothing was cut).
    QString shownText(int logicalIndex) const;
    QString toolTipText(int logicalIndex) const;

protected:
    void initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const override;
    bool viewportEvent(QEvent* event) override;

private:
    QString fullText(int logicalIndex) const;
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
