// The runner columns of the split sheets: the row labels of a block, and each runner's name,
// club and leg rows with their ranks and highlights.
#include "printing/sheetprinter.h"

#include "analysis/percenttext.h"
#include "race/basicformat.h"
#include "race/racetime.h"
#include "race/textutil.h"

#include <algorithm>
#include <cmath>

namespace CbasPrinter {
namespace sheets {

using basAnalyze::StateExcluded;
using basAnalyze::StateLater;
using basAnalyze::StateNormal;

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

}  // namespace sheets
}  // namespace CbasPrinter
