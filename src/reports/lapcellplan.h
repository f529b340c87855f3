#pragma once
// How the legs of one runner become table cells in the lap, ratio and miss sections: a run of
// legs without a split is one cell spanning down to the leg that holds their common time, so
// every leg of every runner is covered by exactly one cell and the table keeps its shape.
#include "analysis/workspace.h"

#include <cstddef>
#include <vector>

namespace basExport {

struct LapCell {
    enum Kind {
        Normal,      // a time of this leg alone (lap state 0)
        Excluded,    // lap state -2: "n/a"
        Merged,      // first leg of a run that ends in the merged leg sourceLeg
        Unresolved,  // first leg of a run without a split whose time never arrives
        Covered,     // spanned by a cell above
    };
    Kind kind = Normal;
    int rowSpan = 1;
    int sourceLeg = 0;  // the leg whose time and values the cell shows (Merged)
};

// The cells of legs 1..AnaLegCount, indexed by leg.
class LapCellPlan {
public:
    explicit LapCellPlan(int legs) : cells_(static_cast<std::size_t>(legs > 0 ? legs : 0)) {}
    LapCell& operator[](int l) { return cells_[static_cast<std::size_t>(l - 1)]; }
    const LapCell& operator[](int l) const { return cells_[static_cast<std::size_t>(l - 1)]; }

private:
    std::vector<LapCell> cells_;
};

// The plan of runner r of the analysis. A run of lap state -1 legs starts its cell
// at its first leg whatever the leg before it is (an excluded leg included).
LapCellPlan PlanLapCells(const basAnalyze::AnalysisWorkspace& ws, int r);

}  // namespace basExport
