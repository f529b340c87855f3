#include "analysis/percenttext.h"

#include "analysis/workspace.h"
#include "race/basicformat.h"

#include <charconv>
#include <cmath>

namespace basAnalyze {

namespace {

// A float below 2^24 is never so close to a half that FormatNumber's reading of 15
// significant digits would round it differently from its exact value, so the common case is
// rounded directly: the season file and the lists show this for every runner and leg.
bool directlyRounded(float ratio, long long& whole)
{
    const double shown = Percent(ratio);
    if (!(shown >= 0 && shown < 16777216.0)) return false;
    whole = static_cast<long long>(std::floor(shown + 0.5));
    return true;
}

}  // namespace

QString PercentText(float ratio)
{
    long long whole = 0;
    if (!directlyRounded(ratio, whole))
        return CbasGeneral::FormatNumber(Percent(ratio), QStringLiteral("###"));
    return whole == 0 ? QString() : QString::number(whole);
}

void AppendPercentText(QString& text, float ratio)
{
    long long whole = 0;
    if (!directlyRounded(ratio, whole)) {
        text += PercentText(ratio);
        return;
    }
    if (whole == 0) return;
    char digits[24];
    const char* end = std::to_chars(digits, digits + sizeof digits, whole).ptr;
    text += QLatin1String(digits, static_cast<qsizetype>(end - digits));
}

}  // namespace basAnalyze
