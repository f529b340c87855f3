#include "editing/raceedits.h"

#include "editing/startlist.h"
#include "lapfiles/racefile.h"

namespace basRaceEdit {

namespace {

bool SameHeader(const RaceHeader& a, const RaceHeader& b)
{
    return a.RaceName == b.RaceName && a.RaceDate == b.RaceDate && a.RacePlace == b.RacePlace &&
           a.RaceRemarks == b.RaceRemarks;
}

}  // namespace

clsClassData* AddClass(RaceDocument& document, const QString& name, int controlCount)
{
    clsClassData* added = nullptr;
    document.edit([&](Race& race) {
        if (race.ClassList.contains(name)) return false;
        added = &race.ClassList.add(name);
        added->ClassControlCount = controlCount;
        added->ClassLastGoalExist = true;
        return true;
    });
    return added;
}

bool RenameClass(RaceDocument& document, const QString& oldName, const QString& newName)
{
    return document.edit([&](Race& race) { return race.ClassList.rename(oldName, newName); });
}

bool DeleteClass(RaceDocument& document, const QString& name)
{
    return document.edit([&](Race& race) { return race.ClassList.remove(name); });
}

bool SetClassData(RaceDocument& document, const QString& name, ClassField field, int value)
{
    return document.edit([&](Race& race) {
        clsClassData* cls = race.ClassList.find(name);
        if (!cls) return false;
        switch (field) {
            case ClassField::Length:
                cls->ClassLength = value;
                break;
            case ClassField::UpHeight:
                cls->ClassUpHeight = value;
                break;
            case ClassField::ControlCount:
                cls->ClassControlCount = value;
                break;
        }
        return true;
    });
}

void SetHeader(RaceDocument& document, const RaceHeader& header)
{
    document.edit([&](Race& race) {
        if (SameHeader(header, race.RaceInfo)) return false;
        race.RaceInfo = header;
        return true;
    });
}

bool SetRunners(RaceDocument& document, const QString& className, const basLapEdit::LapRows& rows,
                const std::vector<basLapEdit::LapColumn>& columns)
{
    return document.edit([&](Race& race) {
        clsClassData* cls = race.ClassList.find(className);
        if (!cls) return false;
        basLapEdit::StoreColumns(*cls, rows, columns);
        return true;
    });
}

int SetStartTimes(RaceDocument& document, const QHash<QString, double>& timesByNameKey,
                  QSet<QString>* found)
{
    int changed = 0;
    document.edit([&](Race& race) {
        changed = basStartList::ApplyStartTimes(timesByNameKey, race.ClassList, found);
        return true;
    });
    return changed;
}

void ClearRace(RaceDocument& document)
{
    document.resetRace();
}

bool ReloadKeepingHeader(RaceDocument& document, QString* failure)
{
    if (document.CurrentFilePath().isEmpty()) return true;
    const RaceHeader kept = document.RaceInfo();
    const QString path = document.CurrentFilePath();
    const basConvert::LoadResult load = basConvert::LoadRaceFile(document, path);
    if (!load.loaded()) {
        // A file that has gone takes the path with it; the race in memory still came from it.
        document.setCurrentFilePath(path);
        if (failure) *failure = load.failureMessage();
        return false;
    }
    document.restoreHeader(kept);
    return true;
}

}  // namespace basRaceEdit
