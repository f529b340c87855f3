#include "printing/splitsheets.h"

#include "printing/sheetprinter.h"

namespace CbasPrinter {

bool PrintSplitSheets(const Race& race, const SplitSheetJob& job, PrintDevice& device)
{
    return sheets::SheetPrinter(race, job, device).Run();
}

}  // namespace CbasPrinter
