#pragma once
// The drawing of one print run of split sheets, shared by the files that draw the page flow
// (sheetprinter.cpp) and the runner columns (sheetcolumns.cpp). Only the split sheets use it.
#include "analysis/workspace.h"
#include "printing/printdevice.h"
#include "printing/printlayout.h"
#include "printing/splitsheets.h"
#include "printing/textinbox.h"
#include "race/racevalue.h"

#include <QColor>
#include <QString>

#include <climits>

namespace CbasPrinter {
namespace sheets {

inline const QColor kBlack(0, 0, 0);
inline const QColor kWhite(255, 255, 255);
inline const QColor kShadow(96, 96, 96);   // band shadow and column rules
inline const QColor kBand(221, 221, 221);  // class band; best leg in two-line mode
inline const QColor kBest(238, 238,
                          238);  // best leg in one-line mode; 2nd and 3rd in two-line mode
inline const QColor kLegRule(204, 204, 204);

// A shrink factor below this prints nothing readable; the shrinking stops there.
constexpr double kSmallestShrink = 0.01;

// A lap or elapsed time as the sheets show it, without padding.
QString trimmedTime(double value);
// The "to" part of a leg label: "１", "10", "◎".
QString legTo(int controlCount, int leg);

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

}  // namespace sheets
}  // namespace CbasPrinter
