#include "printing/splitsheets.h"

#include "analysis/analyze.h"
#include "analysis/percenttext.h"
#include "printing/textinbox.h"
#include "race/basicformat.h"
#include "race/race.h"
#include "race/racetime.h"
#include "race/racevalue.h"
#include "race/textutil.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace CbasPrinter {
namespace {

using basAnalyze::StateExcluded;
using basAnalyze::StateLater;
using basAnalyze::StateNormal;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kShadow(96, 96, 96);   // band shadow and column rules
const QColor kBand(221, 221, 221);  // class band; best leg in two-line mode
const QColor kBest(238, 238, 238);  // best leg in one-line mode; 2nd and 3rd in two-line mode
const QColor kLegRule(204, 204, 204);

// A shrink factor below this prints nothing readable; the shrinking stops there.
constexpr double kSmallestShrink = 0.01;

QString trimmedTime(double value)
{
    return CbasGeneral::Trim(CbasGeneral::FormatLapTime(value));
}

// The "to" part of a leg label: "１", "10", "◎".
QString legTo(int controlCount, int leg)
{
    return CbasGeneral::LegLabel(controlCount, false, leg).mid(1);
}

class SheetPrinter {
public:
    SheetPrinter(const Race& race, const SplitSheetJob& job, PrintDevice& device)
        : race_(race), job_(job), device_(device), canvas_(device.Canvas())
    {
    }
    bool Run();

private:
    bool loadLayout(double shrink);
    void pageSetup();
    void measure();
    bool pageUsed() const { return X_ != 0 || bandY_ != 0; }
    void newPageIfUsed();
    void breakPageIfDue();
    void moveAfterPreviousClass();
    void printClass(const QString& name);
    void drawBand(const QString& wideName);
    void computeGeometry(int remaining);
    double blockTop(int j) const;
    void drawRowLabels();
    void drawRunner(int r, bool firstInBlock);
    void drawLegRows(int r, double cx, double cy);
    void text(const QString& s, const PrintFont& font, double x, double y, double w, double h,
              Align hAlign, Align vAlign, bool fit = false, const QColor& color = kBlack)
    {
        PrintTextInBox(canvas_, s, font, x, y, w, h, hAlign, vAlign, false, 1, color, fit);
    }
    // The font, made smaller when needed so that the text fits the width: a time that ran
    // across the column lines or into the next field would be read wrong.
    PrintFont fitting(const QString& s, const PrintFont& font, double width)
    {
        PrintFont fitted = font;
        for (int step = 0; step < 4; ++step) {
            const double w = canvas_.TextWidth(s, fitted);
            if (w <= width || w <= 0 || width <= 0) break;
            fitted.size *= 0.98 * width / w;
        }
        return fitted;
    }
    // Text right-aligned in its field, never wider than the field less a hair's breadth, so
    // that it does not touch a column line at the field's left edge either.
    void field(const QString& s, const PrintFont& font, double x, double y, double w, double h,
               Align vAlign)
    {
        text(s, fitting(s, font, w - 0.3), x, y, w, h, Align::End, vAlign);
    }
    // Width of a runner column with its gap.
    double columnStep() const { return l_.Data + l_.DataInterval + l_.Analyze; }

    const Race& race_;
    const SplitSheetJob& job_;
    basAnalyze::AnalysisWorkspace ws_;  // the analysis of the class being printed
    PrintDevice& device_;
    SheetCanvas& canvas_;
    PrintLayout l_;
    double shrink_ = 1;
    bool twoLine_ = false;
    double x0_ = 0, y0_ = 0, W_ = 0, H_ = 0;
    double X_ = 0, bandY_ = 0;
    double nameH_ = 0, clubH_ = 0, dataH_ = 0, secondH_ = 0, missH_ = 0, charW_ = 0;
    // Block geometry of the current class.
    double blockH_ = 0, blockStartX_ = 0;
    int blocksPerPage_ = 1, columnsPerBlock_ = 1, balancedColumns_ = INT_MAX;
    bool balanced_ = false;
    int block_ = 1, columnsInBlock_ = 0;
    bool ok_ = true;
    bool pageBreakDue_ = false;
};

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

void SheetPrinter::drawRowLabels()
{
    breakPageIfDue();
    const double x = x0_ + X_, y = y0_ + bandY_, w = l_.LapLabel;
    text(QStringLiteral("名前"), l_.NamaeLabel, x, y, w, nameH_, Align::Centre, Align::Centre);
    const double clubY = y + nameH_, totalY = clubY + clubH_;
    if (job_.DataType != PrintDataType::Analysis) {
        text(QStringLiteral("所属"), l_.ShozokuLabel, x, clubY, w, clubH_, Align::Centre,
             Align::Centre);
        text(QStringLiteral("記録"), l_.DataLabel, x, totalY, w, dataH_, Align::Centre,
             Align::Centre);
    } else {
        const double half = w / 2;
        text(QStringLiteral("所属"), l_.ShozokuLabel, x + 2, clubY, half, clubH_, Align::Centre,
             Align::Centre);
        text(QStringLiteral("記録"), l_.DataLabel, x + 2, totalY, half, dataH_, Align::Centre,
             Align::Centre);
        text(QStringLiteral("巡航"), l_.Relative, x + half, clubY, half, clubH_, Align::Centre,
             Align::End);
        text(QStringLiteral("ミス計"), l_.MissTime, x + half, totalY, half, missH_, Align::Centre,
             Align::Start);
        text(QStringLiteral("ミス率"), l_.MissTime, x + half, totalY + missH_, half, missH_,
             Align::Centre, Align::Start);
    }
    const int controls = ws_.AnaControlCount;
    double rowY = y + nameH_ + 2 * clubH_ + l_.NameDataInterval;
    for (int k = 1; k <= ws_.AnaLegCount; ++k) {
        const QString label = job_.DataType == PrintDataType::Sums
                                  ? legTo(controls, k)
                                  : CbasGeneral::LegLabel(controls, true, k);
        text(label, l_.DataLabel, x, rowY, w, dataH_, Align::Centre, Align::Centre);
        rowY += dataH_;
        if (twoLine_) {
            text(legTo(controls, k), l_.SecondDataLabel, x, rowY, w, dataH_, Align::Centre,
                 Align::Start);
            rowY += secondH_ + l_.SecondDataInterval;
        }
    }
    X_ += l_.LapLabel;
}

void SheetPrinter::drawRunner(int r, bool firstInBlock)
{
    breakPageIfDue();
    const double cx = x0_ + X_, cy = y0_ + bandY_;
    const double d = l_.Data, a = l_.Analyze, gap = (l_.DataInterval - 1) / 2;
    if (twoLine_) {
        if (firstInBlock) canvas_.DrawLine({cx - gap, cy}, {cx - gap, cy + blockH_}, kShadow);
        const double after = cx + d + a + 1 + gap;
        canvas_.DrawLine({after, cy}, {after, cy + blockH_}, kShadow);
    }
    text(CbasGeneral::CompactName(ws_.RunnerName(r)), l_.Namae, cx, cy, d + a + 1, nameH_,
         Align::Centre, Align::Centre, true);
    text(CbasGeneral::CompactName(ws_.RunnerShozoku(r)), l_.Shozoku, cx, cy + nameH_, d + 1, clubH_,
         Align::Centre, Align::Centre, true);

    const double totalY = cy + nameH_ + clubH_;
    const double timeLeft = cx - gap, timeWidth = d - l_.Rank + gap;
    if (ws_.TotalTime(r) > 0) {
        field(trimmedTime(ws_.TotalTime(r)), l_.DataFont, timeLeft, totalY, timeWidth, dataH_,
              Align::Centre);
        field(QString::number(ws_.TotalRank(r)), l_.RankFont, cx + d - l_.Rank, totalY, l_.Rank,
              dataH_, Align::Centre);
    } else {
        // The run's status where its total would be; "DISQ" for a run whose total is unknown.
        const RunStatus status = ws_.RunnerStatus(r);
        field(status == RunStatus::Ok ? QStringLiteral("DISQ") : RunStatusText(status), l_.DataFont,
              timeLeft, totalY, timeWidth, dataH_, Align::Centre);
    }
    if (job_.DataType == PrintDataType::Analysis) {
        const double ax = cx + d + 0.5;
        field(basAnalyze::PercentText(ws_.CruiseSpeed(r)) + QLatin1Char('%'), l_.Relative, ax,
              cy + nameH_, a, clubH_, Align::End);
        field(trimmedTime(ws_.MissTimeTotal(r)), l_.MissTime, ax, totalY, a, missH_, Align::Start);
        field(CbasGeneral::FormatNumber(basAnalyze::Percent(ws_.MissRate(r)), "#0.0") +
                  QLatin1Char('%'),
              l_.MissTime, ax, totalY + missH_, a, missH_, Align::Start);
    }
    drawLegRows(r, cx, cy);
}

void SheetPrinter::drawLegRows(int r, double cx, double cy)
{
    const double d = l_.Data, a = l_.Analyze, rank = l_.Rank, sdi = l_.SecondDataInterval;
    const bool sums = job_.DataType == PrintDataType::Sums;
    // Best-leg shading behind a cell, outline after its text (one-line mode only).
    auto shade = [&](int state, int cellRank, double y, double h) {
        if (state != StateNormal || cellRank < 1 || cellRank > 3) return;
        if (twoLine_)
            canvas_.FillRect(QRectF(cx, y, d + 1, h), cellRank == 1 ? kBand : kBest);
        else if (cellRank == 1)
            canvas_.FillRect(QRectF(cx, y, d + 1, h), kBest);
    };
    auto outline = [&](int state, int cellRank, double y, double h) {
        if (!twoLine_ && state == StateNormal && cellRank >= 1 && cellRank <= 3)
            canvas_.OutlineRect(QRectF(cx, y, d + 1, h), kBlack);
    };
    auto cell = [&](const QString& time, int cellRank, const PrintFont& timeFont,
                    const PrintFont& rankFont, double y, double h) {
        field(time, timeFont, cx, y, d - rank, h, Align::Centre);
        if (cellRank > 0)
            field(QString::number(cellRank), rankFont, cx + d - rank, y, rank, h, Align::Centre);
    };

    double rowY = cy + nameH_ + 2 * clubH_ + l_.NameDataInterval;
    for (int k = 1; k <= ws_.AnaLegCount; ++k) {
        if (twoLine_)
            canvas_.DrawLine({cx, rowY - sdi / 2}, {cx + d + a + 1, rowY - sdi / 2}, kLegRule);
        const int lapState = ws_.LapState(r, k), sumState = ws_.SumState(r, k);
        const int state = sums ? sumState : lapState;
        QString shown;
        int shownRank = 0;
        if (sums) {
            if (sumState == StateNormal) {
                shown = trimmedTime(ws_.SumTime(r, k));
                shownRank = ws_.EstSumRank(r, k);
            } else {
                shown = QStringLiteral("-:--");
            }
        } else if (lapState == StateNormal) {
            shown = trimmedTime(ws_.LapTime(r, k));
            shownRank = ws_.LapRank(r, k);
        } else if (lapState == StateLater) {
            shown = QStringLiteral("↓");
        } else if (lapState <= StateExcluded) {
            shown = QStringLiteral("-:--");
        } else {
            // A merged leg (lapState > 0): its time covers several legs and has no rank.
            shown = trimmedTime(ws_.LapTime(r, k));
        }
        shade(state, shownRank, rowY, dataH_);
        cell(shown, shownRank, l_.DataFont, l_.RankFont, rowY, dataH_);
        outline(state, shownRank, rowY, dataH_);
        // The ratio needs a time of the leg: its own or that of a merged leg.
        if (job_.DataType == PrintDataType::Analysis && lapState >= StateNormal) {
            const float percent = basAnalyze::Percent(ws_.LapRatio(r, k));
            const QString ratio =
                percent > 999 ? QStringLiteral("999") : basAnalyze::PercentText(ws_.LapRatio(r, k));
            field(ratio + QLatin1Char('%'), l_.Relative, cx + d + 0.5, rowY, a, dataH_, Align::End);
        }
        rowY += dataH_;
        if (!twoLine_) continue;
        const int sumRank = ws_.EstSumRank(r, k);
        shade(sumState, sumRank, rowY, secondH_);
        cell(sumState == StateNormal ? trimmedTime(ws_.SumTime(r, k)) : QStringLiteral("-:--"),
             sumRank, l_.SecondData, l_.SecondData, rowY, secondH_);
        if (job_.DataType == PrintDataType::Analysis)
            field(trimmedTime(ws_.MissTime(r, k)), l_.MissTime, cx + d + 0.5, rowY, a, secondH_,
                  Align::Start);
        rowY += secondH_ + sdi;
    }
}

}  // namespace

bool PrintSplitSheets(const Race& race, const SplitSheetJob& job, PrintDevice& device)
{
    return SheetPrinter(race, job, device).Run();
}

}  // namespace CbasPrinter
