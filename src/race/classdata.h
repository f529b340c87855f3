#pragma once
// One class (category) of the race and its runners.
#include "race/runstatus.h"
#include "race/sortdata.h"

#include <QString>

#include <array>
#include <deque>

// Leg values besides positive leg times. Any value above LapAbsent and below 0 counts as
// LapMerged; any value at or below LapAbsent counts as LapAbsent.
constexpr double LapMissing = 0;   // split unknown, written "n/a"
constexpr double LapMerged = -1;   // no split here; the time is carried in the next leg, "→"
constexpr double LapAbsent = -2;   // the leg does not exist for this runner, empty field

constexpr int MaxLegs = 99;

inline bool IsLapMerged(double lap) { return lap < 0 && lap > LapAbsent; }
inline bool IsLapAbsent(double lap) { return lap <= LapAbsent; }

// One runner. Times are days (1 second = 1/86400); a Total above one day marks an incomplete run.
class clsClassDataSub {
public:
    QString Namae;      // name
    QString Shozoku;    // club
    double Total = 0;   // 0 = unknown
    double StartTime = 0;  // time of day; 0 = none
    RunStatus Status = RunStatus::Ok;  // as the result file gave it

    // The status the run shows: its own, or MissingPunch for a run without a status of its
    // own whose total is not valid (a day or more: a split is missing).
    RunStatus ShownStatus() const;

    // Legs are 1..MaxLegs; another number throws std::out_of_range.
    double Lap(int legNo) const;
    void setLap(int legNo, double value);

private:
    std::array<double, MaxLegs> laps_{};
};

class clsClassData {
public:
    QString ClassName;
    int ClassLength = 0;         // metres; 0 = unknown
    int ClassUpHeight = 0;       // metres; 0 = unknown
    int ClassControlCount = 0;   // start and finish not counted
    bool ClassLastGoalExist = false;  // the data holds the leg from the last control to the finish

    // ClassControlCount, plus the finish leg when ClassLastGoalExist.
    int LegCount() const { return ClassControlCount + (ClassLastGoalExist ? 1 : 0); }

    // Appends a copy of the runner. A Total of exactly 0 is first computed from the legs:
    // each LapMissing adds one whole day, so incomplete runs sort after complete ones. A run
    // whose status is not OK has no valid total: its Total is kept above one day.
    // Set ClassControlCount and ClassLastGoalExist before adding runners.
    void Add(const clsClassDataSub& runner);
    int ClassRunnerCount() const { return static_cast<int>(runners_.size()); }
    // The runner at position num (1-based) in order of ascending Total; among equal totals the
    // one added later comes first. The ranking is rebuilt only after Add: editors that change
    // runners in place rebuild the class with ClearItem and Add.
    clsClassDataSub& Item(int num);
    const clsClassDataSub& Item(int num) const;
    void ClearItem();

    // Runners in the order they were added (for editors that rebuild a class).
    const std::deque<clsClassDataSub>& RunnersAsAdded() const { return runners_; }

private:
    int rankedIndex(int num) const;

    std::deque<clsClassDataSub> runners_;
    mutable bool rankingDirty_ = false;
    mutable SortData ranking_;
};
