#include "config/control.h"

#include "race/pathutil.h"
#include "race/prompts.h"

namespace CbasControl {

QString ShowFileDialog(const QString& raceFile, FileDialogMode mode, const QString& title,
                       const QString& filter, int* filterIndex, const QString& fileName)
{
    Prompts::FileDialogRequest request;
    request.mode = mode;
    request.title = title;
    request.filter = filter;
    request.filterIndex = filterIndex && *filterIndex > 0 ? *filterIndex : 1;
    request.fileName = InRaceFolder(raceFile, fileName);
    const Prompts::FileDialogResult result = Prompts::current().fileDialog(request);
    if (!result.path.isEmpty() && filterIndex) *filterIndex = result.filterIndex;
    return result.path;
}

QString InRaceFolder(const QString& raceFile, const QString& fileName)
{
    const QString& race = raceFile;
    if (race.isEmpty() || !CbasGeneral::GetFolderName(fileName).isEmpty()) return fileName;
    return CbasGeneral::GetFolderName(race) + fileName;
}

}  // namespace CbasControl

void DiskTree::Show(const QString& title)
{
    const QString folder = Prompts::current().browseFolder(title, value_);
    if (!folder.isEmpty()) value_ = folder;
}
