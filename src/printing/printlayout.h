#pragma once
// The sizes and fonts of the split sheets, read from the settings keys WidthSkh..., HeightSkh...
// and FontSkh... and scaled by the zoom ratio and the shrink factor of the class.
#include "printing/printdatatype.h"
#include "printing/printfont.h"

#include <QString>

#include <functional>
#include <optional>

// Reads one settings key ("" when absent).
using SettingsLookup = std::function<QString(const QString& key)>;

struct PrintLayout {
    // Millimetres. ClassInterval and ClassLabel are scaled by the zoom only, the others by the
    // zoom and the shrink factor.
    double ClassInterval = 0, ClassLabel = 0, LapLabel = 0, Data = 0, Rank = 0, Analyze = 0,
           DataInterval = 0, RowInterval = 0, NameDataInterval = 0, SecondDataInterval = 0;
    PrintFont Class, Namae, NamaeLabel, Shozoku, ShozokuLabel, DataFont, DataLabel, RankFont,
        SecondData, Relative, MissTime, SecondDataLabel;
};

namespace CbasPrinter {

// The layout of print type 0 ("速報向け") for a data type: Analysis uses the analysis-mode
// column width and an analysis column; the others have none. A key that is absent or not a number
// keeps its default. No layout for other print types.
std::optional<PrintLayout> LoadPrintLayout(const SettingsLookup& settings, int printType,
                                           PrintDataType dataType, double zoom, double shrink);

// The zoom ratio of the zoom box text: its leading number / 100, or 1 when that is 0 or less.
double ZoomFromText(const QString& text);

}  // namespace CbasPrinter
