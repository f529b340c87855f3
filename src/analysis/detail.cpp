// The measures of the season statistics: short and long legs, the early and late sections of
// the course, and the leg after the runner's worst leg.
#include "analysis/analyze.h"
#include "analysis/percenttext.h"
#include "analysis/ranking.h"
#include "analysis/runnerlegs.h"

#include "race/classdata.h"
#include "race/racetime.h"

#include <array>

namespace basAnalyze {

namespace {

// A leg is short when its top average is under 2:00, long when it is 7:00 or more.
constexpr double ShortLegLimit = 120.0 / CbasGeneral::SecondsPerDay;
constexpr double LongLegLimit = 420.0 / CbasGeneral::SecondsPerDay;
constexpr float EarlyShare = 0.4f;  // the early section ends where 40 % of the weight is reached
constexpr float LateShare = 0.6f;   // the late section starts one leg before 60 %
constexpr float SectionCruiseShare = 0.2f;

struct Item {
    int leg;
    float value;
    float weight;  // LegWeight of the leg
};

// The items of a runner in leg order; a class has at most MaxLegs legs.
struct Items {
    std::array<Item, MaxLegs> item;
    int count = 0;

    const Item* begin() const { return item.data(); }
    const Item* end() const { return item.data() + count; }
    void append(int leg, float value, float weight)
    {
        Item& slot = item[static_cast<size_t>(count++)];
        slot.leg = leg;
        slot.value = value;
        slot.weight = weight;
    }
};

// The ratio of a leg as the detail measures see it: a ranked normal time, or the estimated
// share of a merged time; other legs have none.
bool legValue(const RunnerLegs& legs, int l, float& value)
{
    if (legs.rankedNormal(l)) {
        value = legs.lapRatio[l];
        return true;
    }
    if (legs.lapState[l] > 0 && legs.topAverage[l] != 0) {
        value = static_cast<float>(legs.estLapTime[l] / legs.topAverage[l]);
        return true;
    }
    return false;
}

// Every item of the runner, in leg order.
void allItems(const RunnerLegs& legs, Items& out)
{
    out.count = 0;
    float value = 0;
    for (int l = 1; l <= legs.legCount; ++l)
        if (legValue(legs, l, value)) out.append(l, value, legs.legWeight[l]);
}

// The items of legs first..last, a part of the runner's items.
void section(const Items& all, int first, int last, Items& out)
{
    out.count = 0;
    for (const Item& item : all)
        if (item.leg >= first && item.leg <= last) out.append(item.leg, item.value, item.weight);
}

// Mean ratio and the list of ratios over the ranked normal legs that pass the test.
template <typename LegTest>
void legGroup(const RunnerLegs& legs, LegTest isInGroup, float& mean, QString& list)
{
    double sum = 0;
    int count = 0;
    list.clear();
    for (int l = 1; l <= legs.legCount; ++l) {
        if (!legs.rankedNormal(l) || !isInGroup(legs.topAverage[l])) continue;
        sum += legs.lapRatio[l];
        if (count++ > 0) list += QLatin1Char(' ');
        AppendPercentText(list, legs.lapRatio[l]);
    }
    mean = count > 0 ? static_cast<float>(sum / count) : 0;
}

void shortAndLongLegs(AnalysisWorkspace& ws, int r, const RunnerLegs& legs)
{
    legGroup(
        legs, [](double top) { return top > 0 && top < ShortLegLimit; }, ws.ShortLegRelative(r),
        ws.ShortLegList(r));
    legGroup(
        legs, [](double top) { return top >= LongLegLimit; }, ws.LongLegRelative(r),
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

float sectionRelative(const Items& list)
{
    double weighted = 0;
    double weight = 0;
    for (const Item& item : list) {
        weighted += static_cast<double>(item.value) * item.weight;
        weight += item.weight;
    }
    return weight != 0 ? static_cast<float>(weighted / weight) : 0;
}

// The best items, best first, until they cover more than a fifth of the course by weight.
// The items are ordered by their value; the sum takes the leg's ratio (for a merged leg the
// ratio of its whole stretch).
float sectionCruiseSpeed(const RunnerLegs& legs, const Items& list, FloatOrder& order)
{
    order.clear();
    for (const Item& item : list) order.add(item.value, item.leg);
    order.sort();
    float weight = 0;
    double sum = 0;
    for (int position = 1; position <= order.count(); ++position) {
        const int l = order.key(position);
        weight += legs.legWeight[l];
        sum += static_cast<double>(legs.lapRatio[l]) * legs.legWeight[l];
        if (weight > SectionCruiseShare) break;
    }
    return weight != 0 ? static_cast<float>(sum / weight) : 0;
}

// The ratio on the leg after the runner's worst leg; when the worst is the last leg of the
// course, the leg after the second worst.
float afterMissRelative(const RunnerLegs& legs, const Items& all)
{
    LastTwo worst;
    for (const Item& item : all) worst.add(item.value, item.leg);
    int leg = worst.last;
    if (leg == 0) return 0;
    if (leg == legs.legCount) leg = worst.beforeLast;
    float value = 0;
    return leg != 0 && legValue(legs, leg + 1, value) ? value : 0;
}

}  // namespace

AnalysisWorkspace AnalyzeClassDetail(const clsClassData& cls)
{
    AnalysisWorkspace ws = AnalyzeClass(cls);
    const Sections s = sections(ws);
    Items all, part;
    FloatOrder order;
    for (int r = 1; r <= ws.AnaRunnerCount; ++r) {
        const RunnerLegs legs(ws, r);
        shortAndLongLegs(ws, r, legs);
        allItems(legs, all);

        section(all, 1, s.earlyLast, part);
        ws.EarlyRelative(r) = sectionRelative(part);
        ws.EarlyCruiseSpeed(r) = sectionCruiseSpeed(legs, part, order);

        section(all, s.lateFirst, ws.AnaLegCount, part);
        ws.LateRelative(r) = sectionRelative(part);
        ws.LateCruiseSpeed(r) = sectionCruiseSpeed(legs, part, order);

        ws.AfterMissRelative(r) = afterMissRelative(legs, all);
    }
    return ws;
}

}  // namespace basAnalyze
