#include "race/sortdata.h"

#include <algorithm>
#include <stdexcept>

void SortData::Add(double value, const QString& key)
{
    if (positions_.contains(key)) throw std::invalid_argument("SortData: key added twice");
    // lower_bound finds the first entry not less than the value: inserting there puts the
    // newest of equal values first.
    auto place = std::lower_bound(entries_.begin(), entries_.end(), value,
                                  [](const SortDataSub& e, double v) { return e.Value < v; });
    entries_.insert(place, SortDataSub{value, key, 0});
    positions_.insert(key, -1);  // the position is known again after Calc
    positionsValid_ = false;
}

void SortData::AddAll(const std::vector<std::pair<double, QString>>& pairs)
{
    if (!entries_.empty()) {
        for (const auto& [value, key] : pairs) Add(value, key);
        return;
    }
    // Newest first among equal values: a stable sort of the pairs taken last to first.
    entries_.reserve(pairs.size());
    positions_.reserve(static_cast<qsizetype>(pairs.size()));
    for (auto it = pairs.rbegin(); it != pairs.rend(); ++it) {
        if (positions_.contains(it->second))
            throw std::invalid_argument("SortData: key added twice");
        positions_.insert(it->second, -1);
        entries_.push_back(SortDataSub{it->first, it->second, 0});
    }
    std::stable_sort(entries_.begin(), entries_.end(),
                     [](const SortDataSub& a, const SortDataSub& b) { return a.Value < b.Value; });
    positionsValid_ = false;
}

void SortData::Calc()
{
    int rank = 0;
    double remembered = 0;
    for (size_t i = 0; i < entries_.size(); ++i) {
        SortDataSub& e = entries_[i];
        if (i == 0 || e.Value != remembered) {
            rank = static_cast<int>(i) + 1;
            remembered = e.Value;
        }
        e.RankOrder = rank;
        positions_[e.Key] = static_cast<int>(i);
    }
    positionsValid_ = true;
}

const SortDataSub& SortData::at(int position) const
{
    if (position < 1 || position > Count())
        throw std::out_of_range("SortData: position outside 1..Count");
    return entries_[static_cast<size_t>(position - 1)];
}

int SortData::RankOrder(const QString& key) const
{
    if (positionsValid_) {
        auto it = positions_.constFind(key);
        if (it == positions_.constEnd()) throw std::out_of_range("SortData: unknown key");
        return entries_[static_cast<size_t>(*it)].RankOrder;
    }
    for (const SortDataSub& e : entries_)
        if (e.Key == key) return e.RankOrder;
    throw std::out_of_range("SortData: unknown key");
}

double SortData::Value(int rankOrder) const
{
    return at(rankOrder).Value;
}

QString SortData::Key(int rankOrder) const
{
    return at(rankOrder).Key;
}
