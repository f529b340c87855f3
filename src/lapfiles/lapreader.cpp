#include "lapfiles/lapformat.h"
#include "lapfiles/loadprogresswindow.h"
#include "lapfiles/raceload.h"
#include "lapfiles/readcontext.h"
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

int FirstTableLine(const QStringList& lines)
{
    for (int i = 0; i < lines.size(); ++i)
        if (!lines[i].startsWith(QLatin1Char('$'))) return i;
    return static_cast<int>(lines.size());
}

bool ReadLapFile(ReadContext& context, RaceHeader& header, ClassCollection& classes)
{
    const int firstHeader = FirstTableLine(context.lines);
    ProgressWindow window(context.progress);
    if (!ReadTableLines(context, firstHeader, classes)) return false;
    ReadHeaderKeys(context.lines, firstHeader, header, classes);
    return LegsWithinModel(classes);
}

}  // namespace basConvert
