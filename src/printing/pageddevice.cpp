#include "printing/pageddevice.h"

#include "printing/papers.h"

#include <QPagedPaintDevice>

int PagedPrintDevice::PaperSize() const
{
    return CbasPrinter::CodeOfPageSize(Device()->pageLayout().pageSize());
}

void PagedPrintDevice::SetPaperSize(int code)
{
    const QPageSize size = CbasPrinter::PageSizeOfCode(code);
    if (size.isValid()) Device()->setPageSize(size);
}

PaperOrientation PagedPrintDevice::Orientation() const
{
    return Device()->pageLayout().orientation() == QPageLayout::Landscape
               ? PaperOrientation::Landscape
               : PaperOrientation::Portrait;
}

void PagedPrintDevice::SetOrientation(PaperOrientation orientation)
{
    Device()->setPageOrientation(orientation == PaperOrientation::Landscape
                                     ? QPageLayout::Landscape
                                     : QPageLayout::Portrait);
}

QSizeF PagedPrintDevice::PaperSizeMmF() const
{
    return Device()->pageLayout().fullRect(QPageLayout::Millimeter).size();
}

QRectF PagedPrintDevice::PrintableRectMm() const
{
    return Device()->pageLayout().paintRect(QPageLayout::Millimeter);
}

SheetCanvas& PagedPrintDevice::Canvas()
{
    if (!canvas_) canvas_ = std::make_unique<PainterCanvas>(Device());
    return *canvas_;
}

bool PagedPrintDevice::NewPage()
{
    return canvas_ ? canvas_->NewPage() : true;
}

bool PagedPrintDevice::DocumentStarted() const
{
    return canvas_ && canvas_->Started();
}

bool PagedPrintDevice::EndDocument()
{
    if (!canvas_) return true;
    const bool ok = !canvas_->Failed() && canvas_->Finish();
    canvas_.reset();
    return ok;
}
