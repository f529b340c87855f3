#pragma once
// Ascending ranking with the ordering and ranks of SortData (race/sortdata.h): values in
// ascending order, among equal values the one added later first, competition ranks (1, 1, 3).
// The engine ranks hundreds of thousands of values per race, so it keys them by number
// instead of by text; the results are the same as those of SortData.
#include <cstddef>
#include <vector>

namespace basAnalyze {

class Ranking {
public:
    struct Entry {
        double value;
        int key;
        int added;  // order of adding, for the tie rule
        int rank;
    };

    void clear() { entries_.clear(); }
    void add(double value, int key)
    {
        entries_.push_back(Entry{value, key, static_cast<int>(entries_.size()), 0});
    }
    // Sorts and ranks; call after the last add.
    void calc();

    int count() const { return static_cast<int>(entries_.size()); }
    // Position 1 holds the smallest value (valid after calc).
    const Entry& at(int position) const { return entries_.at(static_cast<std::size_t>(position - 1)); }
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    std::vector<Entry> entries_;
};

}  // namespace basAnalyze
