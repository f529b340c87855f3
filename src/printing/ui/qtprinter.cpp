#include "printing/ui/qtprinter.h"

#include "printing/papers.h"
#include "printing/pdfdevice.h"

#include <QPrinterInfo>

QtPrinterDevice::QtPrinterDevice(const QString& printerName)
    : printer_(std::make_unique<QPrinter>(QPrinterInfo::printerInfo(printerName),
                                          QPrinter::HighResolution))
{
    printer_->setFullPage(false);
    printer_->setDocName(QStringLiteral("SplitDuel"));
}

QString QtPrinterDevice::DeviceName() const
{
    return printer_->printerName();
}

QList<int> QtPrinterDevice::PaperSizes() const
{
    QList<int> codes;
    for (const QPageSize& size : QPrinterInfo(*printer_).supportedPageSizes()) {
        const int code = CbasPrinter::CodeOfPageSize(size);
        if (code > 0 && !codes.contains(code)) codes << code;
    }
    return codes;
}

bool QtPrinterDevice::EndDocument()
{
    const bool ok = PagedPrintDevice::EndDocument();
    return ok && printer_->printerState() != QPrinter::Error;
}

namespace CbasPrinter {

QStringList PrinterNames()
{
    QStringList names;
    const QString defaultName = QPrinterInfo::defaultPrinterName();
    if (!defaultName.isEmpty()) names << defaultName;
    for (const QString& name : QPrinterInfo::availablePrinterNames())
        if (!names.contains(name)) names << name;
    names << QString::fromLatin1(PdfPrintDevice::Name);
    return names;
}

std::unique_ptr<PrintDevice> MakePrintDevice(const QString& name, const QString& pdfPath)
{
    if (name == QLatin1String(PdfPrintDevice::Name))
        return std::make_unique<PdfPrintDevice>(pdfPath);
    return std::make_unique<QtPrinterDevice>(name);
}

}  // namespace CbasPrinter
