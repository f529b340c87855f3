#include "config/control.h"

#include "race/pathutil.h"
#include "race/prompts.h"
#include "race/race.h"
#include "race/racedocument.h"

namespace CbasControl {

QString ShowFileDialog(int mode, const QString& title, const QString& filter, int* filterIndex,
                       const QString& fileName)
{
    Prompts::FileDialogRequest request;
    request.mode =
        mode == 1 ? Prompts::FileDialogRequest::Mode::Save : Prompts::FileDialogRequest::Mode::Open;
    request.title = title;
    request.filter = filter;
    request.filterIndex = filterIndex && *filterIndex > 0 ? *filterIndex : 1;
    request.fileName = InRaceFolder(fileName);
    const Prompts::FileDialogResult result = Prompts::current().fileDialog(request);
    if (!result.path.isEmpty() && filterIndex) *filterIndex = result.filterIndex;
    return result.path;
}

QString InRaceFolder(const QString& fileName)
{
    const QString& race = basDefinition::SharedDocument().CurrentFilePath();
    if (race.isEmpty() || !CbasGeneral::GetFolderName(fileName).isEmpty()) return fileName;
    return CbasGeneral::GetFolderName(race) + fileName;
}

}  // namespace CbasControl

void DiskTree::Show(const QString& title)
{
    const QString folder = Prompts::current().browseFolder(title, value_);
    if (!folder.isEmpty()) value_ = folder;
}
