// The start-list import on any bytes, against a small race: it never fails; every start time it
// sets is a time of day (never midnight, never a day or more), and only start times change.
#include "fuzzsupport.h"

#include "editing/startlist.h"

namespace {

void BuildRace()
{
    fuzz::Document().resetRace();
    for (const char* name : {"M21", "W21"}) {
        clsClassData& cls = fuzz::Document().raceToFill().ClassList.add(QString::fromUtf8(name));
        cls.ClassControlCount = 1;
        cls.ClassLastGoalExist = true;
        for (const char* runner : {"山田 太郎", "Kaname", "佐藤　花子"}) {
            clsClassDataSub r;
            r.Namae = QString::fromUtf8(runner);
            r.setLap(1, 300 / 86400.0);
            r.setLap(2, 20 / 86400.0);
            cls.Add(r);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::EnsureApplication();

    BuildRace();
    const QString path = fuzz::WriteInput(QStringLiteral("start.csv"), data, size);
    const std::optional<QStringList> lines = basStartList::ReadStartListLines(path);
    fuzz::Check(lines.has_value(), "a start list that exists can be read");
    if (lines->isEmpty()) return 0;
    const basStartList::StartListColumns columns =
        basStartList::FindStartListColumns(lines->first());
    if (!columns.found()) return 0;
    const QString before = fuzz::RaceSnapshot();
    basStartList::ApplyStartTimes(basStartList::ReadStartTimes(*lines, columns),
                                  fuzz::Document().raceToFill().ClassList);
    for (const auto& cls : fuzz::Document().ClassList()) {
        for (int r = 1; r <= cls->ClassRunnerCount(); ++r) {
            const double start = cls->Item(r).StartTime;
            fuzz::Check(start >= 0 && start < 1, "a start time is a time of day");
        }
    }
    // Only the start-time fields of the runner lines may differ.
    for (auto& cls : fuzz::Document().raceToFill().ClassList)
        for (int r = 1; r <= cls->ClassRunnerCount(); ++r) cls->Item(r).StartTime = 0;
    fuzz::Check(fuzz::RaceSnapshot() == before, "the import changes start times only");
    return 0;
}
