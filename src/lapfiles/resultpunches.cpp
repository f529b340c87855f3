#include "lapfiles/resultpunches.h"

#include <QHash>

#include <algorithm>
#include <cmath>
#include <map>

namespace basConvert {
namespace {

// How the punch times of a line count.
enum class TimeBase {
    SinceStart,   // from the runner's start
    TeamTime,     // from a relay team's start: the member's own leg began later
    Clock,        // clock times, and the start is one too
    UnknownZero,  // clock times while the start counts from a zero the file does not give
};

constexpr TimeBase KnownBases[] = {TimeBase::SinceStart, TimeBase::TeamTime, TimeBase::Clock};

// A punch more than this after the run's end is no time of the run.
constexpr double Slack = 1.0;
// Control places beyond this are no place in a course.
constexpr int MaxControlNumber = 999;

// What a line's punch times need taken off to count from the runner's start.
struct Offsets {
    std::optional<double> team;   // where the member's leg began in the team's time
    std::optional<double> clock;  // the start as a clock time
};

std::optional<double> mostCommonSecond(const std::vector<double>& values)
{
    std::map<long long, int> counts;
    for (double v : values) ++counts[std::llround(v)];
    std::optional<double> best;
    int bestCount = 0;
    for (const auto& [value, count] : counts)
        if (count > bestCount) {
            best = static_cast<double>(value);
            bestCount = count;
        }
    return best;
}

// The clock time at which the relay teams of the class started: the finish less the team's
// time, as most lines give it.
std::optional<double> teamZero(const std::vector<ResultRow>& rows)
{
    std::vector<double> zeros;
    for (const ResultRow& row : rows)
        if (row.finish && row.overall) zeros.push_back(*row.finish - *row.overall);
    return mostCommonSecond(zeros);
}

Offsets offsetsOf(const ResultRow& row, const std::optional<double>& zero)
{
    Offsets o;
    const ImportedRunner& r = row.runner;
    if (r.startSeconds && zero && *r.startSeconds >= *zero)
        o.team = *r.startSeconds - *zero;
    else if (row.overall && r.totalSeconds && *row.overall >= *r.totalSeconds)
        o.team = *row.overall - *r.totalSeconds;
    if (r.startSeconds && *r.startSeconds > 0) o.clock = r.startSeconds;
    return o;
}

std::optional<double> fromStart(double punch, TimeBase base, const Offsets& o)
{
    switch (base) {
        case TimeBase::SinceStart:
        case TimeBase::UnknownZero:
            return punch;
        case TimeBase::TeamTime:
            return o.team ? std::optional<double>(punch - *o.team) : std::nullopt;
        case TimeBase::Clock:
            return o.clock ? std::optional<double>(punch - *o.clock) : std::nullopt;
    }
    return std::nullopt;
}

bool hasPunchTime(const ResultRow& row)
{
    return std::any_of(row.punches.begin(), row.punches.end(),
                       [](const ResultPunch& p) { return p.time.has_value(); });
}

// A valid run whose every punch falls within it when counted in that base.
bool fits(const ResultRow& row, TimeBase base, const Offsets& o)
{
    const ImportedRunner& r = row.runner;
    if (r.status != RunStatus::Ok || !r.totalSeconds || !hasPunchTime(row)) return false;
    for (const ResultPunch& p : row.punches) {
        if (!p.time) continue;
        const std::optional<double> t = fromStart(*p.time, base, o);
        if (!t || *t <= 0 || *t > *r.totalSeconds + Slack) return false;
    }
    return true;
}

// A valid run whose every punch lies beyond its own time: clock times.
bool allBeyond(const ResultRow& row)
{
    const ImportedRunner& r = row.runner;
    if (r.status != RunStatus::Ok || !r.totalSeconds || !hasPunchTime(row)) return false;
    for (const ResultPunch& p : row.punches)
        if (p.time && *p.time <= *r.totalSeconds + Slack) return false;
    return true;
}

// The base most valid runs of the class fit, the first of KnownBases on a tie; clock times of an
// unknown zero when no run fits any and runs punched beyond their own times.
TimeBase classBase(const std::vector<ResultRow>& rows, const std::vector<Offsets>& offsets)
{
    std::map<TimeBase, int> votes;
    int beyond = 0;
    for (size_t i = 0; i < rows.size(); ++i) {
        bool any = false;
        for (TimeBase base : KnownBases)
            if (fits(rows[i], base, offsets[i])) {
                ++votes[base];
                any = true;
            }
        if (!any && allBeyond(rows[i])) ++beyond;
    }
    TimeBase best = TimeBase::SinceStart;
    int bestVotes = 0;
    for (TimeBase base : KnownBases)
        if (votes[base] > bestVotes) {
            best = base;
            bestVotes = votes[base];
        }
    return bestVotes == 0 && beyond > 0 ? TimeBase::UnknownZero : best;
}

// Each line's punches counted from its runner's start (clock times of an unknown zero stay
// clock times): the class's base, unless the line's own run fits another.
void countFromStart(std::vector<ResultRow>& rows, std::vector<TimeBase>& bases)
{
    const std::optional<double> zero = teamZero(rows);
    std::vector<Offsets> offsets;
    for (const ResultRow& row : rows) offsets.push_back(offsetsOf(row, zero));
    const TimeBase common = classBase(rows, offsets);
    for (size_t i = 0; i < rows.size(); ++i) {
        TimeBase base = common;
        if (!fits(rows[i], common, offsets[i]))
            for (TimeBase other : KnownBases)
                if (fits(rows[i], other, offsets[i])) {
                    base = other;
                    break;
                }
        bases.push_back(base);
        for (ResultPunch& p : rows[i].punches) {
            if (!p.time) continue;
            p.time = fromStart(*p.time, base, offsets[i]);
            if (p.time && *p.time <= 0) p.time.reset();
        }
    }
}

// ---- which control each punch stands for ----

enum class Placing {
    InOrder,   // the groups are the course's controls in order
    ByNumber,  // each group gives its control's place in the course
    ByCode,    // the groups are some controls of the course only: the class's controls are those
               // punched, in the order the runners reached them
};

int courseControls(const std::vector<ResultRow>& rows)
{
    std::map<int, int> counts;
    for (const ResultRow& row : rows)
        if (row.controls > 0) ++counts[row.controls];
    return MostCommonControlCount(counts);
}

Placing placingOf(const std::vector<ResultRow>& rows, int course)
{
    size_t groups = 0;
    bool anyTime = false;
    for (const ResultRow& row : rows) {
        for (size_t i = 0; i < row.punches.size(); ++i) {
            const int number = row.punches[i].number;
            if (number > 0 && number != static_cast<int>(i) + 1) return Placing::ByNumber;
        }
        groups = std::max(groups, row.punches.size());
        anyTime = anyTime || hasPunchTime(row);
    }
    return anyTime && course > 0 && static_cast<int>(groups) < course ? Placing::ByCode
                                                                      : Placing::InOrder;
}

// A code with the number of its earlier visits by the same runner ("49", "49#2"), so a control
// visited twice stays two controls.
std::vector<QString> visitKeys(const ResultRow& row)
{
    std::vector<QString> keys;
    QHash<QString, int> seen;
    for (const ResultPunch& p : row.punches) {
        const int visit = ++seen[p.code];
        keys.push_back(visit == 1 ? p.code : p.code + QStringLiteral("#%1").arg(visit));
    }
    return keys;
}

// The controls the class's runners punched, in the order they reached them: a control comes
// before another when more runners reached it first.
std::vector<QString> punchedControls(const std::vector<ResultRow>& rows)
{
    std::vector<QString> controls;
    std::map<std::pair<QString, QString>, int> before;
    for (const ResultRow& row : rows) {
        const std::vector<QString> keys = visitKeys(row);
        std::vector<std::pair<double, QString>> timed;
        for (size_t i = 0; i < keys.size(); ++i)
            if (row.punches[i].time) timed.push_back({*row.punches[i].time, keys[i]});
        std::stable_sort(timed.begin(), timed.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        for (size_t i = 0; i < timed.size(); ++i) {
            if (std::find(controls.begin(), controls.end(), timed[i].second) == controls.end())
                controls.push_back(timed[i].second);
            for (size_t j = i + 1; j < timed.size(); ++j)
                ++before[{timed[i].second, timed[j].second}];
        }
    }
    auto wins = [&](const QString& a) {
        int count = 0;
        for (const QString& b : controls)
            if (before[{a, b}] > before[{b, a}]) ++count;
        return count;
    };
    std::stable_sort(controls.begin(), controls.end(),
                     [&](const QString& a, const QString& b) { return wins(a) > wins(b); });
    return controls;
}

// The control count of a class whose groups are its course in order: the one its runners'
// course gives most often; without one, the punches most complete runs have.
int inOrderControls(const std::vector<ResultRow>& rows, int course)
{
    if (course >= 0) return course;
    std::map<int, int> pairs;
    size_t most = 0;
    for (const ResultRow& row : rows) {
        const ImportedRunner& r = row.runner;
        if (r.status == RunStatus::Ok && !r.elapsed.empty())
            ++pairs[static_cast<int>(r.elapsed.size())];
        most = std::max(most, r.elapsed.size());
    }
    const int best = MostCommonControlCount(pairs);
    return best >= 0 ? best : static_cast<int>(most);
}

// A punch after the finish (a control punched on the way home) is no split of the course.
void dropPunchesAfterFinish(ImportedRunner& runner)
{
    if (runner.status != RunStatus::Ok || !runner.totalSeconds) return;
    while (!runner.elapsed.empty() && runner.elapsed.back() &&
           *runner.elapsed.back() > *runner.totalSeconds + 0.5) {
        runner.elapsed.pop_back();
        runner.codes.pop_back();
    }
}

// Groups in the course's order: each runner's punches as they stand, with their codes. Groups
// beyond the controls of the runner's own course are punches besides the course, and so are
// punches after the finish; clock times of an unknown zero all lie past the run's time.
int placeInOrder(std::vector<ResultRow>& rows, int course)
{
    for (ResultRow& row : rows) {
        ImportedRunner& runner = row.runner;
        for (const ResultPunch& p : row.punches) {
            runner.elapsed.push_back(p.time);
            runner.codes.push_back(p.code);
        }
        if (row.controls > 0 && static_cast<int>(runner.codes.size()) > row.controls) {
            runner.codes.resize(static_cast<size_t>(row.controls));
            runner.elapsed.resize(static_cast<size_t>(row.controls));
        }
        if (!row.clockTimes) dropPunchesAfterFinish(runner);
    }
    return inOrderControls(rows, course);
}

// Groups that give their control's place: each punch at its place. A runner's code at a place
// is the one its group gives there, else the one most of the class's groups give there, so that
// runners part by their codes only where they visited different controls.
int placeByNumber(std::vector<ResultRow>& rows, int course)
{
    int controls = std::max(course, 0);
    for (const ResultRow& row : rows)
        for (const ResultPunch& p : row.punches)
            if (p.time && p.number <= MaxControlNumber) controls = std::max(controls, p.number);
    std::vector<std::map<QString, int>> seen(static_cast<size_t>(controls));
    for (const ResultRow& row : rows)
        for (const ResultPunch& p : row.punches)
            if (p.number >= 1 && p.number <= controls && !p.code.isEmpty())
                ++seen[static_cast<size_t>(p.number - 1)][p.code];
    std::vector<QString> common;
    for (const auto& counts : seen) {
        QString best;
        int most = 0;
        for (const auto& [code, count] : counts)
            if (count > most) {
                best = code;
                most = count;
            }
        common.push_back(best);
    }
    for (ResultRow& row : rows) {
        ImportedRunner& runner = row.runner;
        runner.elapsed.assign(static_cast<size_t>(controls), std::nullopt);
        runner.codes = common;
        for (const ResultPunch& p : row.punches) {
            if (p.number < 1 || p.number > controls) continue;
            const size_t at = static_cast<size_t>(p.number - 1);
            if (!p.code.isEmpty()) runner.codes[at] = p.code;
            if (p.time) runner.elapsed[at] = p.time;
        }
    }
    return controls;
}

// Groups of some controls only: the class's controls are those punched, in the order the
// runners reached them, and every runner has their codes.
int placeByCode(std::vector<ResultRow>& rows)
{
    const std::vector<QString> punched = punchedControls(rows);
    std::vector<QString> codes;
    for (const QString& key : punched) codes.push_back(key.section(QLatin1Char('#'), 0, 0));
    const int controls = static_cast<int>(punched.size());
    for (ResultRow& row : rows) {
        ImportedRunner& runner = row.runner;
        runner.elapsed.assign(static_cast<size_t>(controls), std::nullopt);
        runner.codes = codes;
        const std::vector<QString> keys = visitKeys(row);
        for (size_t g = 0; g < row.punches.size(); ++g) {
            const auto at = std::find(punched.begin(), punched.end(), keys[g]);
            if (row.punches[g].time && at != punched.end())
                runner.elapsed[static_cast<size_t>(at - punched.begin())] = row.punches[g].time;
        }
    }
    return controls;
}

// Legs from clock times of an unknown zero: only the legs between two punched controls are
// known; the first leg and the finish leg are not.
std::vector<std::optional<double>> legsBetween(const std::vector<std::optional<double>>& clock,
                                               int controls)
{
    std::vector<std::optional<double>> legs(static_cast<size_t>(controls) + 1);
    for (int k = 1; k < controls; ++k) {
        const auto& from = clock[static_cast<size_t>(k - 1)];
        const auto& to = clock[static_cast<size_t>(k)];
        if (from && to && *to > *from) legs[static_cast<size_t>(k)] = *to - *from;
    }
    return legs;
}

}  // namespace

int PlaceClassPunches(std::vector<ResultRow>& rows)
{
    std::vector<TimeBase> bases;
    countFromStart(rows, bases);
    for (size_t i = 0; i < rows.size(); ++i) rows[i].clockTimes = bases[i] == TimeBase::UnknownZero;
    const int course = courseControls(rows);
    int controls = 0;
    switch (placingOf(rows, course)) {
        case Placing::InOrder:
            controls = placeInOrder(rows, course);
            break;
        case Placing::ByNumber:
            controls = placeByNumber(rows, course);
            break;
        case Placing::ByCode:
            controls = placeByCode(rows);
            break;
    }
    return controls;
}

void LegsFromClockTimes(std::vector<ResultRow>& rows, int controls)
{
    for (ResultRow& row : rows) {
        if (!row.clockTimes) continue;
        ImportedRunner& runner = row.runner;
        runner.elapsed.resize(static_cast<size_t>(controls));
        runner.legs = legsBetween(runner.elapsed, controls);
        runner.legsGiven = true;
        runner.elapsed.clear();
        runner.codes.clear();
        row.clockTimes = false;
    }
}

}  // namespace basConvert
