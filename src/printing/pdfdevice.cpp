#include "printing/pdfdevice.h"

#include "printing/papers.h"

PdfPrintDevice::PdfPrintDevice(const QString& path) : file_(std::make_unique<QSaveFile>(path))
{
    // An unopened file (or none: a printer for measuring) makes the painter fail at its first
    // drawing, which EndDocument reports.
    if (!path.isEmpty()) file_->open(QIODevice::WriteOnly);
    writer_ = std::make_unique<QPdfWriter>(file_.get());
    writer_->setResolution(1200);
    writer_->setCreator(QStringLiteral("SplitDuel"));
    writer_->setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                       QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

PdfPrintDevice::~PdfPrintDevice()
{
    // The painter must end before the writer and the file go.
    PagedPrintDevice::EndDocument();
    if (file_->isOpen()) file_->cancelWriting();
}

QList<int> PdfPrintDevice::PaperSizes() const
{
    return {8, 9, 11, 12, 13, 1};
}

bool PdfPrintDevice::EndDocument()
{
    const bool drawn = DocumentStarted();
    const bool ok = PagedPrintDevice::EndDocument();
    if (!file_->isOpen()) return false;
    if (!ok || !drawn) {
        // Nothing drawn: no document, and no empty file left behind.
        file_->cancelWriting();
        return ok;
    }
    return file_->commit();
}
