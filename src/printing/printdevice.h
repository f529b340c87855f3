#pragma once
// A printer as the split sheets see it: its name, papers and orientation, the physical page and
// the printable area in millimetres, and a canvas with page breaks. The built-in "PDF" printer
// (pdfdevice.h) and the system's printers (ui/qtprinter.h) are the two kinds.
#include "printing/sheetcanvas.h"

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>

// The orientation of the paper by its number as the settings and the print tab's list keep it.
enum class PaperOrientation { Portrait = 1, Landscape = 2 };

class PrintDevice {
public:
    virtual ~PrintDevice() = default;

    virtual QString DeviceName() const = 0;
    // The paper codes the printer supports, in the driver's order (empty when unknown).
    virtual QList<int> PaperSizes() const = 0;
    // The current paper code (0 when the paper has no standard code).
    virtual int PaperSize() const = 0;
    virtual void SetPaperSize(int code) = 0;
    virtual PaperOrientation Orientation() const = 0;
    virtual void SetOrientation(PaperOrientation orientation) = 0;
    // The physical page (in the current orientation) and the printable area on it, in mm.
    virtual QSizeF PaperSizeMmF() const = 0;
    virtual QRectF PrintableRectMm() const = 0;

    // The canvas of the document; drawing on it begins the document.
    virtual SheetCanvas& Canvas() = 0;
    virtual bool NewPage() = 0;
    // Ends and sends the document; false when it could not be written or sent.
    virtual bool EndDocument() = 0;
};

namespace CbasPrinter {

// Whole millimetres, halves to the even neighbour: the physical page size and the unprintable
// left and top margins of the printer.
int PaperWidthMm(const PrintDevice& device);
int PaperHeightMm(const PrintDevice& device);
int PrintOffsetXMm(const PrintDevice& device);
int PrintOffsetYMm(const PrintDevice& device);
// The paper codes the printer supports (empty when the driver cannot tell).
QList<int> GetPaperSizes(const PrintDevice& device);

}  // namespace CbasPrinter
