#include "analysis/percenttext.h"

#include "analysis/workspace.h"
#include "race/basicformat.h"

#include <cmath>

namespace basAnalyze {

// A float below 2^24 is never so close to a half that FormatNumber's reading of 15
// significant digits would round it differently from its exact value, so the common case is
// rounded directly: the season file and the lists show this for every runner and leg.
QString PercentText(float ratio)
{
    const double shown = Percent(ratio);
    if (!(shown >= 0 && shown < 16777216.0))
        return CbasGeneral::FormatNumber(shown, QStringLiteral("###"));
    const long long whole = static_cast<long long>(std::floor(shown + 0.5));
    return whole == 0 ? QString() : QString::number(whole);
}

}  // namespace basAnalyze
