#pragma once
// The data types of the split sheets (print type 0): what the sheets show of every leg, and the
// one list of their names that the print tab, the timer print and the command line offer.
#include <QString>
#include <QStringList>

namespace CbasPrinter {

// The data types by their index in the list of names.
enum PrintDataType {
    PrintLaps = 0,         // leg times
    PrintSums = 1,         // elapsed times
    PrintLapsAndSums = 2,  // two lines a leg: the leg time over the elapsed time
    PrintAnalysis = 3,     // the two lines with the analysis measures beside them
};

// The names of the data types of print type 0, in list order.
const QStringList& PrintDataTypeNames();

// The name of a data type of a print type; "" past the last one and for any print type but 0.
QString PrintDataTypeName(int printType, int dataType);

}  // namespace CbasPrinter
