#include "lapfiles/readerstate.h"

namespace basConvert {

ReaderState Reader;

void ReaderState::clearColumns()
{
    classColumn = 0;
    nameColumn = 0;
    affiliationColumn = 0;
    totalColumn = 0;
    startColumn = 0;
    LapColumns.fill(0);
    highestLeg = 0;
    finishLeg = false;
}

void ResetReader()
{
    Reader = ReaderState();
}

}  // namespace basConvert
