#include "lapfiles/lapformat.h"
#include "lapfiles/loadprogresswindow.h"
#include "lapfiles/racefile.h"
#include "lapfiles/readerstate.h"
#include "lapfiles/tablereader.h"
#include "race/textutil.h"

namespace basConvert {

bool LegsWithinModel(const ClassCollection& classes)
{
    for (const auto& cls : classes)
        if (cls->ClassControlCount < 0 || cls->LegCount() > MaxLegs) return false;
    return true;
}

bool IsLapFile(const QString& path, const QString& firstLine)
{
    return path.toLower().endsWith(QStringLiteral(".lap")) &&
           CbasGeneral::StripSpaces(firstLine).compare(QStringLiteral("$LAPFILEVer=2"),
                                                       Qt::CaseInsensitive) == 0;
}

int FirstTableLine()
{
    for (int i = 0; i < Reader.lines.size(); ++i)
        if (!Reader.lines[i].startsWith(QLatin1Char('$'))) return i;
    return Reader.lines.size();
}

bool ReadLapFile(RaceHeader& header, ClassCollection& classes, LoadProgress* progress)
{
    const int firstHeader = FirstTableLine();
    ProgressWindow window(progress);
    if (!ReadTableLines(firstHeader, classes, progress)) return false;
    ReadHeaderKeys(firstHeader, header, classes);
    return LegsWithinModel(classes);
}

}  // namespace basConvert
