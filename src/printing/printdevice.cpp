#include "printing/printdevice.h"

#include "race/textutil.h"

namespace CbasPrinter {

int PaperWidthMm(const PrintDevice& device)
{
    return CbasGeneral::RoundHalfEven(device.PaperSizeMmF().width());
}

int PaperHeightMm(const PrintDevice& device)
{
    return CbasGeneral::RoundHalfEven(device.PaperSizeMmF().height());
}

int PrintOffsetXMm(const PrintDevice& device)
{
    return CbasGeneral::RoundHalfEven(device.PrintableRectMm().left());
}

int PrintOffsetYMm(const PrintDevice& device)
{
    return CbasGeneral::RoundHalfEven(device.PrintableRectMm().top());
}

QList<int> GetPaperSizes(const PrintDevice& device)
{
    return device.PaperSizes();
}

}  // namespace CbasPrinter
