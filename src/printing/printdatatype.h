#pragma once
// The data types of the split sheets (print type 0): what the sheets show of every leg, and the
// one list of their names that the print tab, the timer print and the command line offer.
#include <QString>
#include <QStringList>

#include <optional>

namespace CbasPrinter {

// The data types by their index in the list of names (the settings and the command line keep
// the index).
enum class PrintDataType {
    Laps = 0,         // leg times
    Sums = 1,         // elapsed times
    LapsAndSums = 2,  // two lines a leg: the leg time over the elapsed time
    Analysis = 3,     // the two lines with the analysis measures beside them
};

// The data type at an index of the list; none outside it.
std::optional<PrintDataType> PrintDataTypeAt(int index);

// The names of the data types of print type 0, in list order.
const QStringList& PrintDataTypeNames();

// The name of a data type of a print type; "" past the last one and for any print type but 0.
QString PrintDataTypeName(int printType, int dataType);

}  // namespace CbasPrinter
