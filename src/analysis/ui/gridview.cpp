#include "analysis/ui/gridview.h"

#include "analysis/ui/cellgridmodel.h"
#include "chart/winunits.h"
#include "config/ui/fonts.h"

#include <QHeaderView>
#include <QHelpEvent>
#include <QPainter>
#include <QStyleOptionHeader>
#include <QToolTip>

#include <algorithm>

namespace {
// Default row height of the grids in twips, and the room left beside a cell's text.
constexpr int DefaultRowTwips = 240;
constexpr int TextMargin = 2;
}  // namespace

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    const QVariant back = index.data(Qt::BackgroundRole);
    painter->fillRect(option.rect,
                      back.canConvert<QBrush>() ? back.value<QBrush>() : option.palette.base());
    const QVariant fore = index.data(Qt::ForegroundRole);
    painter->setPen(fore.canConvert<QBrush>() ? fore.value<QBrush>().color()
                                              : option.palette.text().color());
    painter->setFont(option.font);
    // Trailing blanks count in the alignment: centred texts padded on the right stay in their
    // columns.
    const int flags = index.data(Qt::TextAlignmentRole).toInt() | Qt::TextSingleLine |
                      Qt::TextIncludeTrailingSpaces;
    painter->drawText(option.rect.adjusted(TextMargin, 0, -TextMargin, 0), flags,
                      index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
        // The current cell gets a frame only, so that its colours stay readable.
        painter->setPen(QPen(option.palette.highlight().color(), 1, Qt::DotLine));
        painter->drawRect(option.rect.adjusted(0, 0, -1, -1));
    }
}

GridHeader::GridHeader(Qt::Orientation orientation, QWidget* parent)
    : QHeaderView(orientation, parent)
{
    setTextElideMode(Qt::ElideNone);  // each line is cut here, not the lines as one text
}

QString GridHeader::FitLines(const QString& text, const QFontMetrics& metrics, int width)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString& line : lines) line = metrics.elidedText(line, Qt::ElideRight, width);
    return lines.join(QLatin1Char('\n'));
}

QString GridHeader::fullText(int logicalIndex) const
{
    return model() ? model()->headerData(logicalIndex, orientation()).toString() : QString();
}

QString GridHeader::shownText(int logicalIndex) const
{
    // The room the style leaves for the label: the section less its margins.
    const int margin = style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, this);
    return FitLines(fullText(logicalIndex), fontMetrics(), sectionSize(logicalIndex) - 2 * margin);
}

QString GridHeader::toolTipText(int logicalIndex) const
{
    const QString full = fullText(logicalIndex);
    return shownText(logicalIndex) == full ? QString() : full;
}

void GridHeader::initStyleOptionForIndex(QStyleOptionHeader* option, int logicalIndex) const
{
    QHeaderView::initStyleOptionForIndex(option, logicalIndex);
    option->text = shownText(logicalIndex);
}

bool GridHeader::viewportEvent(QEvent* event)
{
    if (event->type() != QEvent::ToolTip) return QHeaderView::viewportEvent(event);
    auto* help = static_cast<QHelpEvent*>(event);
    const int section = logicalIndexAt(help->pos());
    const QString tip = section >= 0 ? toolTipText(section) : QString();
    if (tip.isEmpty()) {
        QToolTip::hideText();
        event->ignore();
    } else {
        QToolTip::showText(help->globalPos(), tip, this);
    }
    return true;
}

GridView::GridView(QWidget* parent) : QTableView(parent)
{
    setHorizontalHeader(new GridHeader(Qt::Horizontal, this));
    setFont(GridFont());
    horizontalHeader()->setFont(GridFont());
    verticalHeader()->setFont(GridFont());
    setItemDelegate(new GridCellDelegate(this));
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setCornerButtonEnabled(false);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setMinimumSectionSize(8);
    verticalHeader()->setMinimumSectionSize(8);
}

void GridView::setGridModel(CellGridModel* model)
{
    model_ = model;
    setModel(model);
    applyLayout();
}

int GridView::defaultRowPixels() const
{
    return std::max(WinUnits::TwipsToPixels(DefaultRowTwips), fontMetrics().height() + 4);
}

int GridView::rowPixels(int row) const
{
    const bool inGrid = model_ && row >= 0 && row < model_->grid().rows();
    const int twips = inGrid ? model_->grid().rowHeight(row) : 0;
    return twips > 0 ? WinUnits::TwipsToPixels(twips) : defaultRowPixels();
}

int GridView::colPixels(int col) const
{
    const bool inGrid = model_ && col >= 0 && col < model_->grid().cols();
    const int twips = inGrid ? model_->grid().colWidth(col) : 0;
    if (twips > 0) return WinUnits::TwipsToPixels(twips);
    return col < (model_ ? model_->grid().fixedCols() : 1)
               ? fixedColumnPixels()
               : horizontalHeader()->defaultSectionSize();
}

// A fixed column of the default width is as wide as its widest label.
int GridView::fixedColumnPixels() const
{
    int widest = 0;
    if (model_) {
        const QFontMetrics metrics(verticalHeader()->font());
        for (int row = 0; row < model_->grid().rows(); ++row) {
            widest = std::max(widest, metrics.horizontalAdvance(model_->grid().text(row, 0)));
        }
    }
    return std::max(widest + 16, 40);
}

void GridView::applyLayout()
{
    if (!model_) return;
    const CellGrid& grid = model_->grid();
    QHeaderView* top = horizontalHeader();
    QHeaderView* left = verticalHeader();
    left->setDefaultSectionSize(defaultRowPixels());
    for (int row = grid.fixedRows(); row < grid.rows(); ++row) {
        const int px = rowPixels(row);
        if (px != left->defaultSectionSize()) left->resizeSection(row - grid.fixedRows(), px);
    }
    int headerHeight = 0;
    for (int row = 0; row < grid.fixedRows(); ++row) headerHeight += rowPixels(row);
    top->setFixedHeight(std::max(headerHeight, 1));
    for (int col = grid.fixedCols(); col < grid.cols(); ++col) {
        top->resizeSection(col - grid.fixedCols(), colPixels(col));
    }
    int fixedWidth = 0;
    for (int col = 0; col < grid.fixedCols(); ++col) fixedWidth += colPixels(col);
    left->setFixedWidth(std::max(fixedWidth, 1));
    top->setVisible(grid.fixedRows() > 0);
    left->setVisible(grid.fixedCols() > 0);
}
