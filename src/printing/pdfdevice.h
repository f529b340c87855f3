#pragma once
// The built-in printer "PDF": writes the document to a PDF file. It is the printer of machines
// without printers and of the command line. The file is written beside its final name and
// renamed when the document is complete, so a failed run never leaves half a file.
#include "printing/pageddevice.h"

#include <QPdfWriter>
#include <QSaveFile>

#include <memory>

class PdfPrintDevice : public PagedPrintDevice {
public:
    static constexpr const char* Name = "PDF";

    // A4 portrait without unprintable margins, at 1200 dots per inch.
    explicit PdfPrintDevice(const QString& path);
    ~PdfPrintDevice() override;

    QString DeviceName() const override { return QString::fromLatin1(Name); }
    // A3, A4, A5, B4, B5 and Letter.
    QList<int> PaperSizes() const override;
    // False when the file could not be opened, written or renamed into place.
    bool EndDocument() override;

protected:
    QPagedPaintDevice* Device() const override { return writer_.get(); }

private:
    std::unique_ptr<QSaveFile> file_;
    std::unique_ptr<QPdfWriter> writer_;
};
