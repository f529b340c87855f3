#pragma once
// The part of a printer shared by every Qt paged device (QPdfWriter, QPrinter): page layout,
// paper codes, orientation and the canvas.
#include "printing/printdevice.h"

#include <QPageLayout>

#include <memory>

class PagedPrintDevice : public PrintDevice {
public:
    int PaperSize() const override;
    void SetPaperSize(int code) override;
    PaperOrientation Orientation() const override;
    void SetOrientation(PaperOrientation orientation) override;
    QSizeF PaperSizeMmF() const override;
    QRectF PrintableRectMm() const override;
    SheetCanvas& Canvas() override;
    bool NewPage() override;
    bool EndDocument() override;
    // Whether something has been drawn since the document began.
    bool DocumentStarted() const;

protected:
    // The device the document is drawn on; must live as long as this object.
    virtual QPagedPaintDevice* Device() const = 0;

private:
    std::unique_ptr<PainterCanvas> canvas_;
};
