#pragma once
// The split sheets "速報向け": for every class a tall class-name band, then blocks of runner
// columns under a column of row labels, class after class from left to right across the page.
#include "printing/printdatatype.h"
#include "printing/printdevice.h"
#include "printing/printlayout.h"
#include "race/racevalue.h"

#include <QStringList>

// What one print run prints, as the print tab (or the command line) sets it.
struct SplitSheetJob {
    int PrintType = 0;
    CbasPrinter::PrintDataType DataType = CbasPrinter::PrintDataType::Laps;
    double Zoom = 1;                         // ZoomFromText of the zoom box
    double MarginTop = 10, MarginLeft = 10;  // mm
    bool EachClass = true;                   // every class on a new page
    int PaperCode = 0;                       // 0 keeps the printer's current paper
    PaperOrientation Orientation = PaperOrientation::Portrait;
    QStringList Classes;      // the class names to print, in order
    SettingsLookup Settings;  // the layout keys
};

namespace CbasPrinter {

// One print run on the device: sets its paper and orientation, draws every class of the job
// from the race and ends the document. Classes the race does not hold are skipped. False when
// the document could not be written or sent.
bool PrintSplitSheets(const Race& race, const SplitSheetJob& job, PrintDevice& device);

}  // namespace CbasPrinter
