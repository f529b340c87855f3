#include "lapfiles/lapformat.h"
#include "lapfiles/racefile.h"
#include "lapfiles/readerstate.h"
#include "lapfiles/tablereader.h"
#include "race/textutil.h"

namespace basConvert {
namespace {

// Opens the loading window for the table passes and closes it on every way out.
class ProgressWindow {
public:
    explicit ProgressWindow(LoadProgress* progress) : progress_(progress)
    {
        if (progress_) progress_->begin();
    }
    ~ProgressWindow()
    {
        if (progress_) progress_->end();
    }
    ProgressWindow(const ProgressWindow&) = delete;
    ProgressWindow& operator=(const ProgressWindow&) = delete;

private:
    LoadProgress* progress_;
};

// Runners carry at most 30 legs; a "$コントロール数:" key may ask for more, or for a
// negative count, which no reader, writer or view of the race could hold.
bool legsWithinModel(const ClassCollection& classes)
{
    for (const auto& cls : classes)
        if (cls->ClassControlCount < 0 || cls->LegCount() > MaxLegs) return false;
    return true;
}

}  // namespace

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
    return legsWithinModel(classes);
}

}  // namespace basConvert
