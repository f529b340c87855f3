#include "editing/raceedits.h"
#include "race/racedocument.h"

#include "editing/startlist.h"
#include "lapfiles/racefile.h"

using namespace basDefinition;

namespace basRaceEdit {

namespace {

// The one place where an edit marks the race as changed.
void Changed()
{
    basDefinition::SharedDocument().setDataModified(true);
}

bool SameHeader(const RaceHeader& a, const RaceHeader& b)
{
    return a.RaceName == b.RaceName && a.RaceDate == b.RaceDate && a.RacePlace == b.RacePlace &&
           a.RaceRemarks == b.RaceRemarks;
}

}  // namespace

clsClassData* AddClass(const QString& name, int controlCount)
{
    if (ClassList.contains(name)) return nullptr;
    clsClassData& cls = ClassList.add(name);
    cls.ClassControlCount = controlCount;
    cls.ClassLastGoalExist = true;
    Changed();
    return &cls;
}

bool RenameClass(const QString& oldName, const QString& newName)
{
    if (!ClassList.rename(oldName, newName)) return false;
    Changed();
    return true;
}

bool DeleteClass(const QString& name)
{
    if (!ClassList.remove(name)) return false;
    Changed();
    return true;
}

bool SetClassData(const QString& name, ClassField field, int value)
{
    clsClassData* cls = ClassList.find(name);
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
    Changed();
    return true;
}

void SetHeader(const RaceHeader& header)
{
    if (SameHeader(header, RaceInfo)) return;
    RaceInfo = header;
    Changed();
}

bool SetRunners(const QString& className, const basLapEdit::LapRows& rows,
                const std::vector<basLapEdit::LapColumn>& columns)
{
    clsClassData* cls = ClassList.find(className);
    if (!cls) return false;
    basLapEdit::StoreColumns(*cls, rows, columns);
    Changed();
    return true;
}

int SetStartTimes(const QHash<QString, double>& timesByNameKey, QSet<QString>* found)
{
    const int changed = basStartList::ApplyStartTimes(timesByNameKey, ClassList, found);
    Changed();
    return changed;
}

void ClearRace()
{
    RaceInfo.clear();
    basDefinition::SharedDocument().setCurrentFilePath(QString());
    ClassList.clear();
    basDefinition::SharedDocument().setDataModified(false);
}

bool ReloadKeepingHeader(QString* failure)
{
    if (basDefinition::SharedDocument().CurrentFilePath().isEmpty()) return true;
    const RaceHeader kept = RaceInfo;
    const QString path = basDefinition::SharedDocument().CurrentFilePath();
    const basConvert::LoadResult load = basConvert::LoadRaceFile(path);
    if (!load.loaded()) {
        // A file that has gone takes the path with it; the race in memory still came from it.
        basDefinition::SharedDocument().setCurrentFilePath(path);
        if (failure) *failure = load.failureMessage();
        return false;
    }
    RaceInfo = kept;
    return true;
}

}  // namespace basRaceEdit
