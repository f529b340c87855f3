#pragma once
// The printers of the system (Qt PrintSupport, which speaks to CUPS) and the list the print tab
// offers: the default printer first, the others in the system's order, then the built-in "PDF".
#include "printing/pageddevice.h"

#include <QPrinter>
#include <QStringList>

#include <memory>

class QtPrinterDevice : public PagedPrintDevice {
public:
    // The named system printer on its default paper.
    explicit QtPrinterDevice(const QString& printerName);

    QString DeviceName() const override;
    // The page sizes the driver reports that have a standard paper code, in its order.
    QList<int> PaperSizes() const override;
    // Ends the document, which hands the job to the print system.
    bool EndDocument() override;

protected:
    QPagedPaintDevice* Device() const override { return printer_.get(); }

private:
    std::unique_ptr<QPrinter> printer_;
};

namespace CbasPrinter {

// The names for the printer list: the default printer, the other system printers, "PDF".
QStringList PrinterNames();

// The printer of that name: "PDF" is the built-in PDF printer writing to pdfPath (an empty path
// serves for the paper queries only), any other name a system printer.
std::unique_ptr<PrintDevice> MakePrintDevice(const QString& name, const QString& pdfPath = {});

}  // namespace CbasPrinter
