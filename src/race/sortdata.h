#pragma once
// The program's one sorting and ranking tool: (value, key) pairs kept in ascending order of
// value as they are added, with competition ranks (10, 20, 20, 30 rank 1, 2, 2, 4).
// Among equal values the pair added last comes first.
#include <QHash>
#include <QString>

#include <vector>

struct SortDataSub {
    double Value = 0;
    QString Key;
    int RankOrder = 0;
};

class SortData {
public:
    // Inserts before the first entry whose value is greater than or equal to value.
    // A key already present throws std::invalid_argument.
    void Add(double value, const QString& key);
    // Adds the pairs as Add would one after another, in n log n time instead of n squared.
    void AddAll(const std::vector<std::pair<double, QString>>& pairs);
    // Competition ranks for every entry; call after the last Add.
    void Calc();

    // Positions are 1-based; a position outside 1..Count or an unknown key throws
    // std::out_of_range.
    int RankOrder(const QString& key) const;
    double Value(int rankOrder) const;
    QString Key(int rankOrder) const;
    int Count() const { return static_cast<int>(entries_.size()); }

private:
    const SortDataSub& at(int position) const;

    std::vector<SortDataSub> entries_;
    QHash<QString, int> positions_;  // every key -> 0-based position (valid after Calc)
    bool positionsValid_ = true;
};
