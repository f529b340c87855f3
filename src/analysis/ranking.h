#pragma once
// Ascending ranking with the ordering and ranks of SortData (race/sortdata.h): values in
// ascending order, among equal values the one added later first, competition ranks (1, 1, 3).
// The engine ranks some hundred thousand values per race, so it keys them by number instead
// of by text and sorts large sets by radix; the results are those of SortData.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace basAnalyze {

class Ranking {
public:
    struct Entry {
        double value;
        int key;
        int rank;
    };

    void clear()
    {
        values_.clear();
        keys_.clear();
        entries_.clear();
    }
    void add(double value, int key)
    {
        values_.push_back(value);
        keys_.push_back(key);
    }
    // Sorts and ranks; call after the last add.
    void calc();

    int count() const { return static_cast<int>(values_.size()); }
    // Position 1 holds the smallest value (valid after calc).
    const Entry& at(int position) const
    {
        return entries_.at(static_cast<std::size_t>(position - 1));
    }
    std::vector<Entry>::const_iterator begin() const { return entries_.begin(); }
    std::vector<Entry>::const_iterator end() const { return entries_.end(); }

private:
    void sortSmall();
    void sortByRadix();

    std::vector<double> values_;  // in order of adding
    std::vector<int> keys_;
    std::vector<Entry> entries_;  // in ascending order after calc
    std::vector<std::uint64_t> bits_, bitsSwap_;
    std::vector<std::uint32_t> order_, orderSwap_;
};

// The order a Ranking gives, for a few single-precision values with keys (the legs of one
// runner): each value and its place of adding packed into one 64-bit number, so the sort
// compares and moves plain integers.
class FloatOrder {
public:
    void clear()
    {
        packed_.clear();
        keys_.clear();
    }
    void add(float value, int key);
    void sort();
    int count() const { return static_cast<int>(packed_.size()); }
    // The key at position 1..count in ascending order (valid after sort).
    int key(int position) const
    {
        return keys_[~static_cast<std::uint32_t>(packed_.at(position - 1))];
    }

private:
    std::vector<std::uint64_t> packed_;
    std::vector<int> keys_;  // by place of adding
};

// The keys of the last two entries a Ranking of the same values would hold (the largest value,
// among equal ones the first added), found in one pass. A key is 0 when there is no entry.
struct LastTwo {
    int last = 0;
    int beforeLast = 0;
    double lastValue = 0;
    double beforeLastValue = 0;

    // Values must be added in the order they would be added to the Ranking.
    void add(double value, int key)
    {
        if (last == 0 || value > lastValue) {
            beforeLast = last;
            beforeLastValue = lastValue;
            last = key;
            lastValue = value;
        } else if (beforeLast == 0 || value > beforeLastValue) {
            beforeLast = key;
            beforeLastValue = value;
        }
    }
};

}  // namespace basAnalyze
