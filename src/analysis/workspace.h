#pragma once
// The analysis of one class: every measure the engine (analyze.h) derives for it, returned by
// PrepareClass, AnalyzeClass or AnalyzeClassDetail and handed to the windows and writers that
// show or write it. A plain value: copies are independent, and nothing is shared between them.
//
// Indexing: every table is 1-based and sized to the class by the call that made it.
//   runner r = 1..AnaRunnerCount (runner r is Item(r) of the class, in order of total time),
//   leg    l = 1..AnaLegCount.
// Read a cell as ws.LapTime(r, l), ws.TopAverage(l), ws.RunnerName(r).
// An index outside the table throws std::out_of_range. values() gives the 0-based vector.
//
// Units: times are days (1 second = 1/86400), like every time of the race model. Ratios are
// fractions (1.0 = equal to the top average); windows and writers show them times 100 through
// Percent(), which keeps the single precision the shown digits depend on.
#include "race/runstatus.h"

#include <QString>

#include <stdexcept>
#include <vector>

namespace basAnalyze {

// LapState and SumState values besides a merged leg (LapState k > 0: the leg's time covers
// legs k..l).
constexpr int StateNormal = 0;     // a time of this leg alone / a meaningful elapsed time
constexpr int StateLater = -1;     // no time here: it is contained in a later leg
constexpr int StateExcluded = -2;  // excluded from every leg measure / elapsed time invalid

// The legs of one runner (or the cells of a per-leg table) as a 1-based view without checks,
// for loops that stay within the counts: row[l] is leg l.
template <typename T>
class Row {
public:
    explicit Row(T* first) : first_(first) {}
    T& operator[](int l) const { return first_[l - 1]; }

private:
    T* first_;
};

// A table indexed 1..count: per runner or per leg.
template <typename T>
class Table1 {
public:
    void reset(int count) { cells_.assign(static_cast<size_t>(count < 0 ? 0 : count), T()); }
    int count() const { return static_cast<int>(cells_.size()); }
    T& operator()(int i) { return cells_[index(i)]; }
    const T& operator()(int i) const { return cells_[index(i)]; }
    const std::vector<T>& values() const { return cells_; }  // 0-based: element 0 is index 1
    Row<T> row() { return Row<T>(cells_.data()); }
    Row<const T> row() const { return Row<const T>(cells_.data()); }

private:
    size_t index(int i) const
    {
        size_t k = static_cast<size_t>(i) - 1;  // i < 1 wraps around to a huge number
        if (k >= cells_.size()) throw std::out_of_range("analysis table: index outside 1..count");
        return k;
    }
    std::vector<T> cells_;
};

// A table indexed by runner 1..runners and leg 1..legs.
template <typename T>
class Table2 {
public:
    void reset(int runners, int legs)
    {
        runners_ = runners < 0 ? 0 : runners;
        legs_ = legs < 0 ? 0 : legs;
        cells_.assign(static_cast<size_t>(runners_) * static_cast<size_t>(legs_), T());
    }
    int runnerCount() const { return runners_; }
    int legCount() const { return legs_; }
    T& operator()(int r, int l) { return cells_[index(r, l)]; }
    const T& operator()(int r, int l) const { return cells_[index(r, l)]; }
    // The legs of runner r (r is checked) as an unchecked 1-based view.
    Row<T> row(int r) { return Row<T>(cells_.data() + rowStart(r)); }
    Row<const T> row(int r) const { return Row<const T>(cells_.data() + rowStart(r)); }

private:
    size_t index(int r, int l) const
    {
        size_t rr = static_cast<size_t>(r) - 1, ll = static_cast<size_t>(l) - 1;
        if (rr >= static_cast<size_t>(runners_) || ll >= static_cast<size_t>(legs_))
            throw std::out_of_range("analysis table: runner or leg outside the class");
        return rr * static_cast<size_t>(legs_) + ll;
    }
    size_t rowStart(int r) const
    {
        size_t rr = static_cast<size_t>(r) - 1;
        if (rr >= static_cast<size_t>(runners_))
            throw std::out_of_range("analysis table: runner outside the class");
        return rr * static_cast<size_t>(legs_);
    }
    int runners_ = 0;
    int legs_ = 0;
    std::vector<T> cells_;  // runner-major
};

struct AnalysisWorkspace {
    // Class header.
    QString AnaClassName;
    int AnaClassLength = 0;    // metres
    int AnaClassUpHeight = 0;  // metres of climb
    int AnaControlCount = 0;   // for the leg labels
    int AnaLegCount = 0;       // controls, plus the finish leg when the class has it
    int AnaRunnerCount = 0;
    double TopTotal = 0;  // sum of TopAverage over all legs

    // Per runner.
    Table1<QString> RunnerName;
    Table1<QString> RunnerShozoku;
    Table1<double> RunnerStartTime;
    Table1<double> TotalTime;      // the runner's Total; 0 when it was not valid (one day or more)
    // The status the run shows (its own, or MissingPunch for a run without a valid total); only
    // an OK run has a total and is ranked at the finish.
    Table1<RunStatus> RunnerStatus;
    Table1<int> TotalRank;         // rank of the raw Total in the class
    Table1<float> RelativeValue;   // "上位との相対値"
    Table1<double> CruiseTime;     // time per unit of course weight over the best legs
    Table1<float> CruiseSpeed;     // "巡航速度": CruiseTime / TopTotal
    Table1<double> MissTimeTotal;  // sum of the positive MissTime values
    Table1<float> MissRate;        // "ミス率"
    Table1<double> NoMissTime;     // "ミスなしタイム"
    // Filled by AnalyzeClassDetail only (0 or empty from the other entry points).
    Table1<float> ShortLegRelative;
    Table1<QString> ShortLegList;  // the short legs' ratios x 100 "###", blank-separated
    Table1<float> LongLegRelative;
    Table1<QString> LongLegList;
    Table1<float> EarlyRelative;
    Table1<float> LateRelative;
    Table1<float> EarlyCruiseSpeed;
    Table1<float> LateCruiseSpeed;
    Table1<float> AfterMissRelative;  // ratio on the leg after the runner's worst leg

    // Per leg.
    Table1<double> TopAverage;  // "上位平均": mean of the three fastest ranked times; 0 if none
    Table1<float> LegWeight;    // TopAverage / TopTotal

    // Per runner and leg.
    Table2<double> LapTime;   // the leg value after normalisation (merge marks become 0)
    Table2<int> LapState;     // StateNormal, StateLater, StateExcluded, or k > 0: merged k..l
    Table2<int> LapRank;      // rank among the eligible runners; 0 = not ranked
    Table2<double> SumTime;   // elapsed time at the end of the leg, whole seconds
    Table2<int> SumState;     // StateNormal, StateLater (time arrives later), StateExcluded
    Table2<float> LapRatio;   // leg time / top average (merged: over the stretch); 0 = not counted
    Table2<double> MissTime;  // leg time minus the cruise pace (may be negative)
    Table2<double> EstLapTime;  // LapTime, a merged time spread over its legs by LegWeight
    Table2<double> EstSumTime;  // SumTime, interpolated inside a merged stretch
    Table2<int> EstSumRank;     // the cumulative rank every view shows; 0 = none

    // A leg that enters the ratios, the cruise speed and the miss times: a ranked normal time
    // or a merged time.
    bool Counted(int r, int l) const
    {
        int state = LapState(r, l);
        return (state == StateNormal && LapRank(r, l) >= 1) || state > 0;
    }
};

// A ratio as shown: times 100 in single precision, so that 0.825 shows as 83 with "###".
inline float Percent(float ratio)
{
    return ratio * 100.0f;
}

}  // namespace basAnalyze
