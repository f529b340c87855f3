// The measures of the season statistics: short and long legs, the early and late sections of
// the course, and the leg after the runner's worst leg.
#include "analysis/analyze.h"
#include "analysis/percenttext.h"
#include "analysis/ranking.h"

#include <vector>

namespace basAnalyze {

namespace {

constexpr double ShortLegLimit = 120.0 / 86400.0;  // a top average under 2:00
constexpr double LongLegLimit = 420.0 / 86400.0;   // a top average of 7:00 or more
constexpr float EarlyShare = 0.4f;  // the early section ends where 40 % of the weight is reached
constexpr float LateShare = 0.6f;   // the late section starts one leg before 60 %
constexpr float SectionCruiseShare = 0.2f;

struct Item {
    int leg;
    float value;
};

// The ratio of a leg as the detail measures see it: a ranked normal time, or the estimated
// share of a merged time; other legs have none.
bool legValue(const AnalysisWorkspace& ws, int r, int l, float& value)
{
    int state = ws.LapState(r, l);
    if (state == StateNormal && ws.LapRank(r, l) >= 1) {
        value = ws.LapRatio(r, l);
        return true;
    }
    if (state > 0 && ws.TopAverage(l) != 0) {
        value = static_cast<float>(ws.EstLapTime(r, l) / ws.TopAverage(l));
        return true;
    }
    return false;
}

void items(const AnalysisWorkspace& ws, int r, int first, int last, std::vector<Item>& out)
{
    out.clear();
    float value = 0;
    for (int l = first; l <= last; ++l)
        if (legValue(ws, r, l, value)) out.push_back(Item{l, value});
}

// Mean ratio and the list of ratios over the ranked normal legs that pass the test.
template <typename LegTest>
void legGroup(AnalysisWorkspace& ws, int r, LegTest isInGroup, float& mean, QString& list)
{
    double sum = 0;
    int count = 0;
    list.clear();
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        if (ws.LapState(r, l) != StateNormal || ws.LapRank(r, l) < 1) continue;
        if (!isInGroup(ws.TopAverage(l))) continue;
        sum += ws.LapRatio(r, l);
        if (count++ > 0) list += QLatin1Char(' ');
        list += PercentText(ws.LapRatio(r, l));
    }
    mean = count > 0 ? static_cast<float>(sum / count) : 0;
}

void shortAndLongLegs(AnalysisWorkspace& ws, int r)
{
    legGroup(
        ws, r, [](double top) { return top > 0 && top < ShortLegLimit; }, ws.ShortLegRelative(r),
        ws.ShortLegList(r));
    legGroup(
        ws, r, [](double top) { return top >= LongLegLimit; }, ws.LongLegRelative(r),
        ws.LongLegList(r));
}

struct Sections {
    int earlyLast;
    int lateFirst;
};

// The early section ends at the first leg where the running weight reaches 40 %; the late
// section starts one leg before the first leg where it reaches 60 %.
Sections sections(const AnalysisWorkspace& ws)
{
    // A course without weights (nothing ranked) has no items anywhere; any bounds will do.
    Sections s{ws.AnaLegCount, ws.AnaLegCount > 1 ? ws.AnaLegCount : 1};
    bool earlyFound = false;
    float sum = 0;
    for (int l = 1; l <= ws.AnaLegCount; ++l) {
        sum += ws.LegWeight(l);
        if (!earlyFound && sum >= EarlyShare) {
            s.earlyLast = l;
            earlyFound = true;
        }
        if (sum >= LateShare) {
            s.lateFirst = l > 1 ? l - 1 : 1;
            break;
        }
    }
    return s;
}

float sectionRelative(const AnalysisWorkspace& ws, const std::vector<Item>& list)
{
    double weighted = 0;
    double weight = 0;
    for (const Item& item : list) {
        weighted += static_cast<double>(item.value) * ws.LegWeight(item.leg);
        weight += ws.LegWeight(item.leg);
    }
    return weight != 0 ? static_cast<float>(weighted / weight) : 0;
}

// The best items, best first, until they cover more than a fifth of the course by weight.
float sectionCruiseSpeed(const AnalysisWorkspace& ws, int r, const std::vector<Item>& list,
                         Ranking& order)
{
    order.clear();
    for (const Item& item : list) order.add(item.value, item.leg);
    order.calc();
    float weight = 0;
    double sum = 0;
    for (const Ranking::Entry& e : order) {
        weight += ws.LegWeight(e.key);
        sum += static_cast<double>(ws.LapRatio(r, e.key)) * ws.LegWeight(e.key);
        if (weight > SectionCruiseShare) break;
    }
    return weight != 0 ? static_cast<float>(sum / weight) : 0;
}

// The ratio on the leg after the runner's worst leg; when the worst is the last leg of the
// course, the leg after the second worst.
float afterMissRelative(const AnalysisWorkspace& ws, int r, const std::vector<Item>& all)
{
    LastTwo worst;
    for (const Item& item : all) worst.add(item.value, item.leg);
    int leg = worst.last;
    if (leg == 0) return 0;
    if (leg == ws.AnaLegCount) leg = worst.beforeLast;
    float value = 0;
    return leg != 0 && legValue(ws, r, leg + 1, value) ? value : 0;
}

}  // namespace

bool AnalyzeClassDetail(const QString& className)
{
    bool found = AnalyzeClass(className);
    AnalysisWorkspace& ws = Workspace;
    const Sections s = sections(ws);
    std::vector<Item> list;
    Ranking order;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        shortAndLongLegs(ws, r);

        items(ws, r, 1, s.earlyLast, list);
        ws.EarlyRelative(r) = sectionRelative(ws, list);
        ws.EarlyCruiseSpeed(r) = sectionCruiseSpeed(ws, r, list, order);

        items(ws, r, s.lateFirst, ws.AnaLegCount, list);
        ws.LateRelative(r) = sectionRelative(ws, list);
        ws.LateCruiseSpeed(r) = sectionCruiseSpeed(ws, r, list, order);

        items(ws, r, 1, ws.AnaLegCount, list);
        ws.AfterMissRelative(r) = afterMissRelative(ws, r, list);
    }
    return found;
}

}  // namespace basAnalyze
