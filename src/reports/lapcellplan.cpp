#include "reports/lapcellplan.h"

namespace basExport {

LapCellPlan PlanLapCells(const basAnalyze::AnalysisWorkspace& ws, int r)
{
    using namespace basAnalyze;
    const int legs = ws.AnaLegCount;
    LapCellPlan plan(legs);
    for (int l = 1; l <= legs; ++l) {
        const int state = ws.LapState(r, l);
        if (state == StateNormal) continue;
        if (state == StateExcluded) {
            plan[l].kind = LapCell::Excluded;
        } else if (state > 0) {
            // Reached only by a merged leg not preceded by its run: it stands alone.
            plan[l] = {LapCell::Merged, 1, l};
        } else if (state == StateLater) {
            int last = l;
            while (last < legs && ws.LapState(r, last + 1) == StateLater) ++last;
            const bool resolved = last < legs && ws.LapState(r, last + 1) > 0;
            const int end = resolved ? last + 1 : last;
            plan[l] = {resolved ? LapCell::Merged : LapCell::Unresolved, end - l + 1, end};
            for (int m = l + 1; m <= end; ++m) plan[m].kind = LapCell::Covered;
            l = end;
        } else {
            plan[l].kind = LapCell::Excluded;  // any other negative state: no measures here
        }
    }
    return plan;
}

}  // namespace basExport
