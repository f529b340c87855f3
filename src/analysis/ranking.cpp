#include "analysis/ranking.h"

#include <algorithm>

namespace basAnalyze {

void Ranking::calc()
{
    std::sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
        if (a.value != b.value) return a.value < b.value;
        return a.added > b.added;  // the later of two equal values comes first
    });
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (i > 0 && entries_[i].value == entries_[i - 1].value)
            entries_[i].rank = entries_[i - 1].rank;
        else
            entries_[i].rank = static_cast<int>(i) + 1;
    }
}

}  // namespace basAnalyze
