#include "race/classdata.h"

#include <algorithm>
#include <stdexcept>

double clsClassDataSub::Lap(int legNo) const
{
    if (legNo < 1 || legNo > MaxLegs) throw std::out_of_range("Lap: leg number outside 1..MaxLegs");
    return laps_[static_cast<size_t>(legNo - 1)];
}

void clsClassDataSub::setLap(int legNo, double value)
{
    if (legNo < 1 || legNo > MaxLegs) throw std::out_of_range("Lap: leg number outside 1..MaxLegs");
    laps_[static_cast<size_t>(legNo - 1)] = value;
}

RunStatus clsClassDataSub::ShownStatus() const
{
    if (Status != RunStatus::Ok) return Status;
    return Total >= 1.0 ? RunStatus::MissingPunch : RunStatus::Ok;
}

void clsClassData::Add(const clsClassDataSub& runner)
{
    rankingDirty_ = true;
    clsClassDataSub copy = runner;
    if (copy.Total == 0) {
        int legs = std::min(LegCount(), MaxLegs);
        for (int k = 1; k <= legs; ++k) {
            double lap = copy.Lap(k);
            if (lap == LapMissing)
                copy.Total += 1.0;
            else if (lap > 0)
                copy.Total += lap;
        }
    }
    if (copy.Status != RunStatus::Ok && copy.Total > 0 && copy.Total <= 1.0) copy.Total += 1.0;
    runners_.push_back(copy);
}

int clsClassData::rankedIndex(int num) const
{
    if (rankingDirty_) {
        ranking_ = SortData();
        std::vector<std::pair<double, QString>> totals;
        totals.reserve(runners_.size());
        for (int i = 1; i <= ClassRunnerCount(); ++i)
            totals.emplace_back(runners_[static_cast<size_t>(i - 1)].Total, QString::number(i));
        ranking_.AddAll(totals);
        ranking_.Calc();
        rankingDirty_ = false;
    }
    if (num < 1 || num > ClassRunnerCount())
        throw std::out_of_range("Item: position outside the class");
    return ranking_.Key(num).toInt() - 1;
}

clsClassDataSub& clsClassData::Item(int num)
{
    return runners_[static_cast<size_t>(rankedIndex(num))];
}

const clsClassDataSub& clsClassData::Item(int num) const
{
    return runners_[static_cast<size_t>(rankedIndex(num))];
}

void clsClassData::ClearItem()
{
    runners_.clear();
    ranking_ = SortData();
    rankingDirty_ = false;
}
