// One split sheet through the real print system: Qt's CUPS support hands the document to a PDF
// queue, whose back end writes it into a folder. scripts/test.sh starts that private CUPS
// server (scripts/cups-pdf-queue.sh) and names the queue and folder; without them the test is
// skipped.
#include "printing/splitsheets.h"
#include "printing/ui/qtprinter.h"
#include "printtest.h"

#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QThread>

#include <gtest/gtest.h>

class CupsPrintTest : public RaceTest {};

TEST_F(CupsPrintTest, SheetPrintedThroughThePdfQueue)
{
    const QString queue = qEnvironmentVariable("SPLITDUEL_CUPS_QUEUE");
    const QString outFolder = qEnvironmentVariable("SPLITDUEL_CUPS_OUT");
    if (queue.isEmpty() || outFolder.isEmpty()) GTEST_SKIP() << "no CUPS test queue";
    ASSERT_TRUE(CbasPrinter::PrinterNames().contains(queue));

    printtest::addClass(QStringLiteral("印刷試験"),
                        {{QStringLiteral("印刷太郎"), QStringLiteral("試験部"), {61, 62, 63}}});
    const QDir out(outFolder);
    // The queue names its file after the job, so a file of an earlier run is overwritten: a
    // file counts as this run's when it was written after the run began.
    const QDateTime start = QDateTime::currentDateTime().addSecs(-1);

    QtPrinterDevice printer(queue);
    // The queue's driver lists the A and B sizes and knows its printable area.
    EXPECT_TRUE(printer.PaperSizes().contains(9));
    SplitSheetJob job;
    job.Classes = {QStringLiteral("印刷試験")};
    job.PaperCode = 9;
    job.Settings = [](const QString&) { return QString(); };
    ASSERT_TRUE(CbasPrinter::PrintSplitSheets(testRace(), job, printer));

    QString written;
    for (QDeadlineTimer deadline(60000); written.isEmpty() && !deadline.hasExpired();) {
        for (const QFileInfo& file : out.entryInfoList({QStringLiteral("*.pdf")}, QDir::Files))
            if (file.lastModified() >= start && file.size() > 0) written = file.filePath();
        if (written.isEmpty()) QThread::msleep(200);
    }
    ASSERT_FALSE(written.isEmpty()) << "the queue wrote no PDF";
    QThread::msleep(500);  // the back end may still be closing the file
    // The queue names its file after the job, which carries the program's name.
    EXPECT_TRUE(QFileInfo(written).fileName().startsWith(QStringLiteral("SplitDuel")));
    if (!printtest::popplerAvailable()) GTEST_SKIP() << "poppler-utils missing";
    // The queue's PostScript round trip keeps the drawing but not the text's character codes,
    // so the sheet is checked as a picture: one A4 page with the dark band shadow on it.
    const printtest::PdfInfo info = printtest::pdfInfo(written);
    EXPECT_EQ(info.pages, 1);
    EXPECT_NEAR(info.widthPt, 595, 1);
    EXPECT_NEAR(info.heightPt, 842, 1);
    const QImage page = printtest::pdfPage(written, tempPath(QStringLiteral("page")));
    ASSERT_FALSE(page.isNull());
    int dark = 0;
    for (int y = 0; y < page.height(); ++y)
        for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 128;
    EXPECT_GT(dark, 100);
}
