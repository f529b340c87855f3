// The page flow of the split sheets: paper and layout, class bands, blocks of runner columns
// and page breaks.
#include "printing/sheetprinter.h"

#include "analysis/analyze.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>
#include <cmath>

namespace CbasPrinter {
namespace sheets {

QString trimmedTime(double value)
{
    return CbasGeneral::Trim(CbasGeneral::FormatLapTime(value));
}

QString legTo(int controlCount, int leg)
{
    return CbasGeneral::LegLabel(controlCount, false, leg).mid(1);
}

bool SheetPrinter::loadLayout(double shrink)
{
    auto layout = LoadPrintLayout(job_.Settings, job_.PrintType, job_.DataType, job_.Zoom, shrink);
    if (!layout) return false;
    l_ = *layout;
    shrink_ = shrink;
    return true;
}

void SheetPrinter::pageSetup()
{
    if (job_.PaperCode > 0) device_.SetPaperSize(job_.PaperCode);
    device_.SetOrientation(job_.Orientation);
    const double offX = PrintOffsetXMm(device_), offY = PrintOffsetYMm(device_);
    const double left = std::max(job_.MarginLeft, offX), top = std::max(job_.MarginTop, offY);
    x0_ = left - offX;
    y0_ = top - offY;
    const QRectF printable = device_.PrintableRectMm();
    const double paperH = PaperHeightMm(device_);
    W_ = printable.width() - 2 * x0_;
    const double bottomStrip = paperH - printable.height() - offY;
    H_ = bottomStrip < top ? paperH - 2 * top : printable.height() + offY - top;
}

void SheetPrinter::measure()
{
    const QString label = QStringLiteral("記録");
    nameH_ = canvas_.TextHeight(QStringLiteral("名前"), l_.Namae);
    clubH_ = canvas_.TextHeight(QStringLiteral("所属"), l_.Shozoku);
    dataH_ = canvas_.TextHeight(label, l_.DataLabel);
    secondH_ = canvas_.TextHeight(label, l_.SecondDataLabel);
    missH_ = canvas_.TextHeight(QStringLiteral("ミス"), l_.MissTime);
    charW_ = canvas_.TextWidth(QStringLiteral("Ｗ"), l_.Class);
}

// The page break itself waits for the next drawing, so that the page break after the last class
// does not feed an empty sheet.
void SheetPrinter::newPageIfUsed()
{
    if (pageUsed()) pageBreakDue_ = true;
    X_ = 0;
    bandY_ = 0;
}

void SheetPrinter::breakPageIfDue()
{
    if (!pageBreakDue_) return;
    pageBreakDue_ = false;
    if (!device_.NewPage()) ok_ = false;
}

bool SheetPrinter::Run()
{
    if (!loadLayout(1)) return true;  // only print type 0 has a layout
    pageSetup();
    twoLine_ =
        job_.DataType == PrintDataType::LapsAndSums || job_.DataType == PrintDataType::Analysis;
    bool first = true;
    for (const QString& name : job_.Classes) {
        if (!race_.ClassList.contains(name)) continue;
        if (!first) moveAfterPreviousClass();
        first = false;
        printClass(name);
    }
    return device_.EndDocument() && ok_;
}

// A class that ended below its first block: beside its balanced columns, or on a new page.
void SheetPrinter::moveAfterPreviousClass()
{
    if (block_ <= 1) return;
    if (balanced_)
        X_ += columnStep() * (balancedColumns_ - columnsInBlock_);
    else
        newPageIfUsed();
    if (!balanced_) X_ = 0;
    bandY_ = 0;
}

void SheetPrinter::printClass(const QString& name)
{
    loadLayout(1);
    block_ = 1;
    columnsInBlock_ = 0;
    balanced_ = false;
    // The cumulative ranks (and their highlights) exist only after the full analysis, so every
    // data type that shows elapsed times needs it; lap times alone need only the preparation.
    ws_ = job_.DataType == PrintDataType::Laps ? basAnalyze::PrepareClass(race_, name)
                                               : basAnalyze::AnalyzeClass(race_, name);
    measure();

    const QString wideName = CbasGeneral::ToWide(name);
    if (!wideName.isEmpty()) {
        if (job_.EachClass && pageUsed()) newPageIfUsed();
        if (l_.LapLabel + l_.ClassLabel + l_.Data + l_.Analyze + l_.ClassInterval > W_ - X_)
            newPageIfUsed();
        drawBand(wideName);
    }

    const int runners = ws_.AnaRunnerCount;
    if (runners > 0) computeGeometry(runners);
    bool blockStart = true;
    for (int r = 1; r <= runners; ++r) {
        if (blockStart) {
            drawRowLabels();
            columnsInBlock_ = 0;
        }
        drawRunner(r, blockStart);
        blockStart = false;
        X_ += columnStep();
        ++columnsInBlock_;
        if (r == runners) break;
        if (columnsInBlock_ >= balancedColumns_ || l_.Data + l_.Analyze + 1 > W_ - X_) {
            if (block_ >= blocksPerPage_) {
                newPageIfUsed();
                block_ = 1;
                // A page that goes on with the class is headed by its band as well.
                if (!wideName.isEmpty()) drawBand(wideName);
                computeGeometry(runners - r);
            } else {
                ++block_;
                X_ = blockStartX_;
                bandY_ = blockTop(block_);
            }
            blockStart = true;
        }
    }

    if (X_ != 0) X_ += l_.ClassInterval;
    if (job_.EachClass && pageUsed()) newPageIfUsed();
}

void SheetPrinter::drawBand(const QString& wideName)
{
    breakPageIfDue();
    const double bx = x0_ + X_, wc = l_.ClassLabel;
    const QRectF band(bx, y0_, 1.02 * wc, H_ + 0.02 * wc);
    canvas_.FillRect(band.translated(0.02 * wc, 0.02 * wc), kShadow);
    canvas_.FillRect(band, kBand);
    canvas_.OutlineRect(band, kBlack);
    PrintTextInBox(canvas_, wideName, l_.Class, bx + 0.03 * charW_ - 0.01 * wc,
                   y0_ + 0.02 * charW_ - 0.01 * wc, wc, H_, Align::Centre, Align::Centre, true, 1.5,
                   kWhite, true);
    PrintTextInBox(canvas_, wideName, l_.Class, bx - 0.01 * wc, y0_ - 0.01 * wc, wc, H_,
                   Align::Centre, Align::Centre, true, 1.5, kBlack, true);
    X_ += l_.ClassLabel;
}

// Blocks per page, columns per block and the balanced column count for the runners still to
// print. A block too tall for the page (or a column too wide for it) shrinks the class.
void SheetPrinter::computeGeometry(int remaining)
{
    const int legs = ws_.AnaLegCount;
    for (;;) {
        measure();
        blockH_ = nameH_ + l_.NameDataInterval + clubH_ + dataH_ * (legs + 1);
        if (twoLine_) blockH_ += secondH_ * legs + l_.SecondDataInterval * (legs - 1);
        const double rowSpan = H_ + l_.RowInterval, blockSpan = l_.RowInterval + blockH_;
        const double columnRoom = W_ - l_.LapLabel + l_.DataInterval - 1;
        blocksPerPage_ = blockSpan > 0 ? int(std::floor(rowSpan / blockSpan)) : 1;
        columnsPerBlock_ = int(std::floor(columnRoom / columnStep()));
        if (blocksPerPage_ >= 1 && columnsPerBlock_ >= 1) break;
        double ratio = 1;
        if (blocksPerPage_ < 1) ratio = std::min(ratio, rowSpan / blockSpan);
        if (columnsPerBlock_ < 1)
            ratio = std::min(ratio, (W_ - 1) / (l_.LapLabel + l_.Data + l_.Analyze));
        double next = std::floor(98 * shrink_ * ratio) / 100;
        if (next >= shrink_) next = shrink_ - 0.01;
        if (next < kSmallestShrink) {
            // The page has no room even for the smallest print: one column, one block.
            blocksPerPage_ = std::max(blocksPerPage_, 1);
            columnsPerBlock_ = std::max(columnsPerBlock_, 1);
            break;
        }
        loadLayout(next);
    }
    const int b = blocksPerPage_, m = columnsPerBlock_;
    balanced_ = !(b * m - remaining < b || job_.EachClass);
    balancedColumns_ = balanced_ ? (remaining - 1) / b + 1 : INT_MAX;
    if (b > 1) blockStartX_ = X_;
}

double SheetPrinter::blockTop(int j) const
{
    const int b = blocksPerPage_;
    return ((H_ - l_.RowInterval * (b - 1)) / b + l_.RowInterval) * (j - 1);
}

}  // namespace sheets
}  // namespace CbasPrinter
